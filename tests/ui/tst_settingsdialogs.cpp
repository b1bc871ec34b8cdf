// The two settings dialogs against a loopback server: layout, loading on construction, the
// load error with its field reset, saving exactly what the fields hold, one request per press,
// closing on success and keeping every typed value on failure.
#include "ModalAnswerer.h"
#include "ServiceScript.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include "app/ApplicationState.h"
#include "ui/LmSettingsDialog.h"
#include "ui/PlainCriticalBox.h"
#include "ui/TorvoSettingsDialog.h"
#include "widgets/QtMaterialRaisedButton.h"
#include "widgets/QtMaterialTextField.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>

namespace {

const QString device = QStringLiteral("0128000000003");
const QString lmPath = QStringLiteral("/api/v1/settings/lm/") + device;
const QString torvoPath = QStringLiteral("/api/v1/settings/") + device;
const QByteArray lmSettings = R"({"address":"10.0.0.5","port":5995,"login":"admin","password":"secret"})";
const QByteArray torvoSettings =
    R"({"compatibilityMode":true,"allowRemoteConnection":false,"gismtAddress":"https://gis.example"})";

QList<QtMaterialTextField*> fieldsOf(QDialog* dialog)
{
    return dialog->findChildren<QtMaterialTextField*>();
}

QtMaterialRaisedButton* saveButtonOf(QDialog* dialog)
{
    return dialog->findChild<QtMaterialRaisedButton*>();
}

QStringList textsOf(const QList<QtMaterialTextField*>& fields)
{
    QStringList texts;
    for (QtMaterialTextField* field : fields) {
        texts << field->text();
    }
    return texts;
}

QString deviceLineOf(QDialog* dialog)
{
    auto* line = dialog->findChild<QLabel*>(QStringLiteral("deviceLine"));
    return line ? line->text() : QString();
}

QStringList captionsOf(QDialog* dialog)
{
    QStringList captions;
    auto* grid = dialog->findChild<QGridLayout*>();
    for (int row = 0; grid && row < grid->rowCount(); ++row) {
        if (auto* label = qobject_cast<QLabel*>(grid->itemAtPosition(row, 0)->widget())) {
            captions << label->text();
        }
    }
    return captions;
}

} // namespace

class SettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void readOnlyWhileLoading_data();
    void readOnlyWhileLoading();
    void passwordsShownOnRequest();
    void lmLoadFillsFields();
    void torvoLoadFillsEditors();
    void loadError_data();
    void loadError();
    void closedDialogShowsNoLoadError_data();
    void closedDialogShowsNoLoadError();
    void lmSaveSendsFields_data();
    void lmSaveSendsFields();
    void lmFailedSaveKeepsValues();
    void lmRefusesBadPort_data();
    void lmRefusesBadPort();
    void torvoSave_data();
    void torvoSave();
    void serviceTextShownLiterally();
    void saveGoesToTheDeviceOpenedFor_data();
    void saveGoesToTheDeviceOpenedFor();

private:
    QDialog* open(const QString& kind);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    std::unique_ptr<QWidget> host;
};

void SettingsDialogsTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
    QVERIFY(selectDevice(device));
}

void SettingsDialogsTest::init()
{
    if (ApplicationState::getInstance()->getCurrentDevice() != device) {
        QVERIFY(selectDevice(device));
    }
    server.clearReplies();
    server.clearRequests();
    host = std::make_unique<QWidget>();
    log.mark();
}

void SettingsDialogsTest::cleanup()
{
    QVERIFY(waitForNetworkIdle());
    host.reset();
    QVERIFY(!anyVisibleTopLevel());
}

// Builds and shows a dialog as its opener does.
QDialog* SettingsDialogsTest::open(const QString& kind)
{
    QDialog* dialog = kind == QLatin1String("lm") ? static_cast<QDialog*>(new LmSettingsDialog(host.get()))
                                                  : new TorvoSettingsDialog(host.get());
    dialog->show();
    return dialog;
}

void SettingsDialogsTest::layout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("placeholders");
    QTest::addColumn<int>("checkBoxes");
    QTest::addColumn<int>("secrets"); // the last fields, which hide what they hold

    QTest::newRow("lm") << "lm" << QStringLiteral("Настройки ЛМ ЧЗ") << QSize(400, 340)
                        << QStringList{QStringLiteral("Адрес:"), QStringLiteral("Порт:"),
                                       QStringLiteral("Логин:"), QStringLiteral("Пароль:"),
                                       QStringLiteral("Новый пароль:")}
                        << QStringList{QStringLiteral("Введите IP адрес"), QStringLiteral("Введите порт"),
                                       QStringLiteral("Введите логин"), QStringLiteral("Введите пароль"),
                                       QStringLiteral("Введите новый пароль")}
                        << 0 << 2;
    QTest::newRow("torvo") << "torvo" << QStringLiteral("Настройки Torvo") << QSize(400, 190)
                           << QStringList{QStringLiteral("Режим совместимости:"),
                                          QStringLiteral("Режим удалённого подключения:"),
                                          QStringLiteral("Адрес ГИСМТ:")}
                           << QStringList{QStringLiteral("Введите IP адрес")} << 2 << 0;
}

void SettingsDialogsTest::layout()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, placeholders);
    QFETCH(int, checkBoxes);
    QFETCH(int, secrets);

    server.setJson(QStringLiteral("GET"), kind == QLatin1String("lm") ? lmPath : torvoPath,
                   kind == QLatin1String("lm") ? lmSettings : torvoSettings);
    QDialog* dialog = open(kind);
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->minimumSize(), size);
    QCOMPARE(dialog->maximumSize(), size);
    QVERIFY(!dialog->isModal());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QCOMPARE(dialog->windowType(), Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(captionsOf(dialog), captions);
    // A screen reader hears each editor by its caption.
    auto* grid = dialog->findChild<QGridLayout*>();
    for (int row = 0; row < captions.size(); ++row) {
        QAccessibleInterface* editor =
            QAccessible::queryAccessibleInterface(grid->itemAtPosition(row, 1)->widget());
        QVERIFY(editor);
        QCOMPARE(editor->text(QAccessible::Name), captions.at(row));
    }

    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    QStringList shownPlaceholders;
    for (int i = 0; i < fields.size(); ++i) {
        shownPlaceholders << fields.at(i)->placeholderText();
        // The till's screen faces the customer.
        QCOMPARE(fields.at(i)->echoMode(),
                 i < fields.size() - secrets ? QLineEdit::Normal : QLineEdit::Password);
    }
    QCOMPARE(shownPlaceholders, placeholders);
    const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
    QCOMPARE(boxes.size(), checkBoxes);
    for (QCheckBox* box : boxes) {
        QVERIFY(box->text().isEmpty());
    }
    QtMaterialRaisedButton* save = saveButtonOf(dialog);
    QCOMPARE(save->text(), QStringLiteral("Сохранить"));
    QVERIFY(!save->isHaloVisible());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 1); // one load in the dialog's life
}

void SettingsDialogsTest::readOnlyWhileLoading_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("lm") << "lm";
    QTest::newRow("torvo") << "torvo";
}

void SettingsDialogsTest::readOnlyWhileLoading()
{
    QFETCH(QString, kind);
    const QString path = kind == QLatin1String("lm") ? lmPath : torvoPath;
    TestServer::Reply reply;
    reply.body = kind == QLatin1String("lm") ? lmSettings : torvoSettings;
    reply.delayMs = 300;
    server.setReply(QStringLiteral("GET"), path, reply);
    QDialog* dialog = open(kind);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QtMaterialTextField* field = fieldsOf(dialog).at(0);

    // Typed while the service's values are on their way, it would be replaced by the loaded one.
    QCOMPARE(deviceLineOf(dialog),
             QStringLiteral("Касса: ") + device + QStringLiteral("\nЗагрузка настроек ..."));
    QTest::keyClicks(field, QStringLiteral("10.9.9.9"));
    QCOMPARE(field->text(), QString());
    QTRY_VERIFY(!field->text().isEmpty());
    QCOMPARE(deviceLineOf(dialog), QStringLiteral("Касса: ") + device);
    QVERIFY(!field->isReadOnly());
    dialog->close();
}

void SettingsDialogsTest::passwordsShownOnRequest()
{
    server.setJson(QStringLiteral("GET"), lmPath, lmSettings);
    QDialog* dialog = open(QStringLiteral("lm"));
    auto* password = dialog->findChild<QtMaterialTextField*>(QStringLiteral("passwordField"));
    auto* reveal = dialog->findChild<QAbstractButton*>(QStringLiteral("passwordFieldReveal"));
    reveal->click();
    QCOMPARE(password->echoMode(), QLineEdit::Normal);
    QCOMPARE(reveal->accessibleName(), QStringLiteral("Скрыть пароль"));
    reveal->click();
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    dialog->close();
}

void SettingsDialogsTest::lmLoadFillsFields()
{
    server.setJson(QStringLiteral("GET"), lmPath, lmSettings);
    ModalAnswerer answerer;
    QDialog* dialog = open(QStringLiteral("lm"));
    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    fields.at(4)->setText(QStringLiteral("typed"));
    QTRY_COMPARE(textsOf(fields),
                 QStringList({QStringLiteral("10.0.0.5"), QStringLiteral("5995"), QStringLiteral("admin"),
                              QStringLiteral("secret"), QStringLiteral("typed")}));
    QCOMPARE(server.lastRequest().method, QStringLiteral("GET"));
    QCOMPARE(server.lastRequest().path, lmPath);
    QCOMPARE(log.messages().filter(QStringLiteral("настроек ЛМ")),
             QStringList({QStringLiteral("Загрузка настроек ЛМ ..."),
                          QStringLiteral("Обработка ответа на запрос настроек ЛМ: success")}));
    QCOMPARE(answerer.count(), 0);
}

void SettingsDialogsTest::torvoLoadFillsEditors()
{
    server.setJson(QStringLiteral("GET"), torvoPath, torvoSettings);
    QDialog* dialog = open(QStringLiteral("torvo"));
    const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
    boxes.at(1)->setChecked(true);
    QTRY_COMPARE(fieldsOf(dialog).at(0)->text(), QStringLiteral("https://gis.example"));
    QVERIFY(boxes.at(0)->isChecked());
    QVERIFY(!boxes.at(1)->isChecked());
    QCOMPARE(server.lastRequest().path, torvoPath);
    QVERIFY(log.contains(QStringLiteral("Обработка ответа на запрос настроек Torvo: success")));
}

void SettingsDialogsTest::loadError_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text"); // exact, or the start of the text when ending in "..."
    QTest::addColumn<QString>("title");

    const QString lmTitle = QStringLiteral("Ошибка при загрузке настроек ЛМ");
    const QString torvoTitle = QStringLiteral("Ошибка при загрузке настроек Torvo");
    QTest::newRow("lm service down") << "lm" << int(TestServer::Action::Drop) << QByteArray()
                                     << QStringLiteral("Ошибка сети: ...") << lmTitle;
    QTest::newRow("lm without login") << "lm" << int(TestServer::Action::Answer)
                                      << QByteArray(R"({"address":"10.0.0.5","port":5995,"password":"p"})")
                                      << QStringLiteral("Не удалось получить настройки ЛМ") << lmTitle;
    QTest::newRow("lm not json") << "lm" << int(TestServer::Action::Answer) << QByteArray("<html/>")
                                 << QStringLiteral("Ошибка парсинга ответа: ...") << lmTitle;
    QTest::newRow("torvo service down") << "torvo" << int(TestServer::Action::Drop) << QByteArray()
                                        << QStringLiteral("Ошибка сети: ...") << torvoTitle;
}

void SettingsDialogsTest::loadError()
{
    QFETCH(QString, kind);
    QFETCH(int, action);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QFETCH(QString, title);

    TestServer::Reply reply;
    reply.action = TestServer::Action(action);
    reply.body = body;
    server.setReply(QStringLiteral("GET"), kind == QLatin1String("lm") ? lmPath : torvoPath, reply);

    ModalAnswerer answerer;
    QDialog* dialog = open(kind);
    // Nothing was read yet, so nothing may be written back.
    QVERIFY(!saveButtonOf(dialog)->isEnabled());
    // Typed before the reply: the reset after the box must clear it.
    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    for (QtMaterialTextField* field : fields) {
        field->setText(QStringLiteral("typed"));
    }
    const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
    for (QCheckBox* box : boxes) {
        box->setChecked(true);
    }

    QTRY_COMPARE(answerer.count(), 1);
    const ModalAnswerer::Seen seen = answerer.last();
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.parent, dialog);
    // The error, then the register it was for.
    QVERIFY2(seen.text.endsWith(QStringLiteral("\nКасса: ") + device), qPrintable(seen.text));
    const QString error = seen.text.section(QLatin1Char('\n'), 0, 0);
    if (text.endsWith(QStringLiteral("..."))) {
        QVERIFY2(error.startsWith(text.chopped(3)), qPrintable(seen.text));
    } else {
        QCOMPARE(error, text);
    }
    QStringList expected;
    if (kind == QLatin1String("lm")) {
        expected = QStringList{QString(), QString(), QString(), QString(), QStringLiteral("typed")};
    } else {
        expected = QStringList{QString()};
    }
    QCOMPARE(textsOf(fields), expected);
    for (QCheckBox* each : boxes) {
        QVERIFY(!each->isChecked());
    }
    QVERIFY(dialog->isVisible());
    // Saving now would write the emptied fields over the service's real settings.
    QVERIFY(!saveButtonOf(dialog)->isEnabled());
    const QString subject = kind == QLatin1String("lm") ? QStringLiteral("ЛМ") : QStringLiteral("Torvo");
    QVERIFY(log.contains(QStringLiteral("Обработка ответа на запрос настроек ") + subject +
                         QStringLiteral(": error: `") + error + QLatin1Char('`')));
    QVERIFY(deviceLineOf(dialog).endsWith(QStringLiteral("Настройки не загружены, сохранить их нельзя")));
    dialog->close();
}

void SettingsDialogsTest::closedDialogShowsNoLoadError_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("lm") << "lm";
    QTest::newRow("torvo") << "torvo";
}

void SettingsDialogsTest::closedDialogShowsNoLoadError()
{
    QFETCH(QString, kind);
    TestServer::Reply reply;
    reply.status = 500;
    reply.delayMs = 100;
    server.setReply(QStringLiteral("GET"), kind == QLatin1String("lm") ? lmPath : torvoPath, reply);

    ModalAnswerer answerer;
    QDialog* dialog = open(kind);
    dialog->close();
    QVERIFY(waitForNetworkIdle());
    QVERIFY(log.contains(QStringLiteral(": error: `Ошибка сети: ")));
    QCOMPARE(answerer.count(), 0);
}

void SettingsDialogsTest::lmSaveSendsFields_data()
{
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QJsonObject>("body");

    const QJsonObject loaded{{QStringLiteral("address"), QStringLiteral("10.0.0.5")},
                             {QStringLiteral("port"), 5995},
                             {QStringLiteral("login"), QStringLiteral("admin")},
                             {QStringLiteral("password"), QStringLiteral("secret")}};
    QJsonObject withNew = loaded;
    withNew.insert(QStringLiteral("newPassword"), QStringLiteral("n3w-пароль"));
    QJsonObject otherPort = loaded;
    otherPort.insert(QStringLiteral("port"), 6000);

    QTest::newRow("no new password") << QString() << QString() << loaded;
    QTest::newRow("new password") << QStringLiteral("n3w-пароль") << QString() << withNew;
    QTest::newRow("port typed with spaces") << QString() << QStringLiteral(" 6000 ") << otherPort;
}

void SettingsDialogsTest::lmSaveSendsFields()
{
    QFETCH(QString, newPassword);
    QFETCH(QString, port);
    QFETCH(QJsonObject, body);

    server.setJson(QStringLiteral("GET"), lmPath, lmSettings);
    server.setJson(QStringLiteral("PUT"), lmPath, "{}");
    ModalAnswerer answerer;
    QPointer<QDialog> dialog = open(QStringLiteral("lm"));
    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    QTRY_COMPARE(fields.at(0)->text(), QStringLiteral("10.0.0.5"));
    fields.at(4)->setText(newPassword);
    if (!port.isEmpty()) {
        fields.at(1)->setText(port);
    }
    log.mark();

    QtMaterialRaisedButton* save = saveButtonOf(dialog);
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(!save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(!save->isEnabled());

    const auto puts = server.requests(QStringLiteral("PUT"), lmPath);
    QCOMPARE(puts.size(), 1);
    QCOMPARE(QJsonDocument::fromJson(puts.first().body).object(), body);
    QCOMPARE(log.messages().filter(QStringLiteral("настроек ЛМ")).mid(0, 2),
             QStringList({QStringLiteral("Сохранение настроек ЛМ ..."),
                          QStringLiteral("Обработка ответа на запрос настроек ЛМ: success")}));
    QCOMPARE(answerer.count(), 0);
}

void SettingsDialogsTest::lmFailedSaveKeepsValues()
{
    server.setJson(QStringLiteral("GET"), lmPath, lmSettings);
    server.setJson(QStringLiteral("PUT"), lmPath, R"({"error":{"text":"Неверный пароль <ЛМ>"}})", 400);
    ModalAnswerer answerer;
    QDialog* dialog = open(QStringLiteral("lm"));
    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    QTRY_COMPARE(fields.at(0)->text(), QStringLiteral("10.0.0.5"));
    const QStringList typed{QStringLiteral("10.0.0.9"), QStringLiteral("6000"), QStringLiteral("operator"),
                            QStringLiteral("old"), QStringLiteral("new")};
    for (int i = 0; i < fields.size(); ++i) {
        fields.at(i)->setText(typed.at(i));
    }

    QtMaterialRaisedButton* save = saveButtonOf(dialog);
    save->click();
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка при сохранении настроек ЛМ"));
    QCOMPARE(answerer.last().text, QStringLiteral("Неверный пароль <ЛМ>\nКасса: ") + device);
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QCOMPARE(answerer.last().parent, dialog);
    QVERIFY(log.contains(
        QStringLiteral("Обработка ответа на запрос настроек ЛМ: error: `Неверный пароль <ЛМ>`")));
    QCOMPARE(textsOf(fields), typed);
    QVERIFY(save->isEnabled());
    QVERIFY(dialog->isVisible());

    // Corrected and sent again, it goes through and closes.
    server.setJson(QStringLiteral("PUT"), lmPath, "{}");
    save->click();
    QTRY_VERIFY(!dialog->isVisible());
    QCOMPARE(server.requests(QStringLiteral("PUT"), lmPath).size(), 2);
}

void SettingsDialogsTest::lmRefusesBadPort_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("letters") << QStringLiteral("80a0");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("too big") << QStringLiteral("65536");
    QTest::newRow("signed") << QStringLiteral("+80");
    QTest::newRow("empty") << QString();
}

void SettingsDialogsTest::lmRefusesBadPort()
{
    QFETCH(QString, port);
    server.setJson(QStringLiteral("GET"), lmPath, lmSettings);
    server.setJson(QStringLiteral("PUT"), lmPath, "{}");
    ModalAnswerer answerer;
    QDialog* dialog = open(QStringLiteral("lm"));
    const QList<QtMaterialTextField*> fields = fieldsOf(dialog);
    QTRY_COMPARE(fields.at(0)->text(), QStringLiteral("10.0.0.5"));
    fields.at(1)->setText(port);
    fields.at(4)->setText(QStringLiteral("new"));
    const QStringList typed = textsOf(fields);

    QtMaterialRaisedButton* save = saveButtonOf(dialog);
    save->click();
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка при сохранении настроек ЛМ"));
    QCOMPARE(answerer.last().text, QStringLiteral("Неверный порт: укажите целое число от 1 до 65535"));
    QCOMPARE(answerer.last().parent, dialog);
    QVERIFY(waitForNetworkIdle());
    QVERIFY(server.requests(QStringLiteral("PUT"), lmPath).isEmpty());
    QCOMPARE(textsOf(fields), typed);
    QVERIFY(save->isEnabled());
    dialog->close();
}

void SettingsDialogsTest::torvoSave_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("accepted") << 200;
    QTest::newRow("refused") << 500;
}

void SettingsDialogsTest::torvoSave()
{
    QFETCH(int, status);

    server.setJson(QStringLiteral("GET"), torvoPath, torvoSettings);
    // A refusal carries the service's own words, which the operator reads on their own line.
    server.setJson(QStringLiteral("PUT"), torvoPath,
                   status == 200 ? "{}" : R"({"error":{"text":"Адрес ГИСМТ недоступен"}})", status);
    ModalAnswerer answerer;
    QDialog* dialog = open(QStringLiteral("torvo"));
    QtMaterialTextField* address = fieldsOf(dialog).at(0);
    QTRY_COMPARE(address->text(), QStringLiteral("https://gis.example"));
    const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
    boxes.at(0)->setChecked(false);
    boxes.at(1)->setChecked(true);
    address->setText(QStringLiteral("10.1.1.1"));
    log.mark();

    QtMaterialRaisedButton* save = saveButtonOf(dialog);
    save->click();
    QVERIFY(!save->isEnabled());
    save->click();
    if (status == 200) {
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(answerer.count(), 0);
        QVERIFY(log.contains(QStringLiteral("Обработка ответа на запрос настроек Torvo: success")));
    } else {
        QTRY_COMPARE(answerer.count(), 1);
        QCOMPARE(answerer.last().title, QStringLiteral("Ошибка при сохранении настроек Torvo"));
        const QString text = answerer.last().text;
        QVERIFY(text.startsWith(QStringLiteral("Ошибка сети: ")));
        QVERIFY(text.endsWith(QStringLiteral("\nАдрес ГИСМТ недоступен\nКасса: ") + device));
        QCOMPARE(answerer.last().parent, dialog);
        QVERIFY(save->isEnabled());
        QVERIFY(dialog->isVisible());
        QVERIFY(!boxes.at(0)->isChecked());
        QVERIFY(boxes.at(1)->isChecked());
        QCOMPARE(address->text(), QStringLiteral("10.1.1.1"));
        dialog->close();
    }
    QCOMPARE(log.messages().value(0), QStringLiteral("Сохранение настроек Torvo ..."));
    const auto puts = server.requests(QStringLiteral("PUT"), torvoPath);
    QCOMPARE(puts.size(), 1);
    QCOMPARE(QJsonDocument::fromJson(puts.first().body).object(),
             QJsonObject({{QStringLiteral("compatibilityMode"), false},
                          {QStringLiteral("allowRemoteConnection"), true},
                          {QStringLiteral("gismtAddress"), QStringLiteral("10.1.1.1")}}));
}

void SettingsDialogsTest::serviceTextShownLiterally()
{
    struct Seen
    {
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QWidget* parent = nullptr;
        QMessageBox::StandardButtons buttons;
    } seen;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, &watcher, [&seen]() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = {box->textFormat(), box->icon(),         box->windowTitle(),
                    box->text(),       box->parentWidget(), box->standardButtons()};
            box->accept();
        }
    });
    watcher.start(5);
    showPlainCritical(host.get(), QStringLiteral("Заголовок"), QStringLiteral("<b>Ошибка</b>"));
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.title, QStringLiteral("Заголовок"));
    QCOMPARE(seen.text, QStringLiteral("<b>Ошибка</b>"));
    QCOMPARE(seen.parent, host.get());
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void SettingsDialogsTest::saveGoesToTheDeviceOpenedFor_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("moved"); // another register is selected while the dialog is open
    QTest::newRow("lm") << "lm" << false;
    QTest::newRow("torvo") << "torvo" << false;
    QTest::newRow("lm, register changed") << "lm" << true;
    QTest::newRow("torvo, register changed") << "torvo" << true;
}

void SettingsDialogsTest::saveGoesToTheDeviceOpenedFor()
{
    QFETCH(QString, kind);
    QFETCH(bool, moved);
    const QString path = kind == QLatin1String("lm") ? lmPath : torvoPath;
    server.setJson(QStringLiteral("GET"), path, kind == QLatin1String("lm") ? lmSettings : torvoSettings);
    server.setJson(QStringLiteral("PUT"), path, "{}");
    ModalAnswerer answerer;
    QDialog* dialog = open(kind);
    QVERIFY(waitForNetworkIdle());

    // The operator picks another register while the dialog is open: what was loaded for the
    // first one must not be written to the second.
    if (moved) {
        QVERIFY(selectDevice(QStringLiteral("other-register")));
    }
    // The dialog says whose settings it holds, and where they will go.
    QCOMPARE(deviceLineOf(dialog).contains(QStringLiteral("Выбрана другая касса")), moved);
    server.clearRequests();
    log.mark();
    saveButtonOf(dialog)->click();
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requests(QStringLiteral("PUT"), path).size(), 1);
    // The register the settings went to is read anew, so its panels show them.
    QCOMPARE(log.count(QStringLiteral("Запрос обновления полной информации ...")), moved ? 0 : 1);
    QCOMPARE(server.requestCount(), moved ? 1 : 1 + 6);
    QCOMPARE(answerer.count(), 0);
}

QTEST_MAIN(SettingsDialogsTest)
#include "tst_settingsdialogs.moc"
