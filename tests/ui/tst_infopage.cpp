// The information page against a loopback server: the arrangement of the panels and buttons,
// which state signal redraws which panel, the service settings opener and the log export.
#include "ModalAnswerer.h"
#include "ServiceScript.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include "app/ApplicationState.h"
#include "app/Settings.h"
#include "network/BaseReply.h"
#include "network/NetworkManager.h"
#include "ui/GISPanel.h"
#include "ui/HeaderFrame.h"
#include "ui/InfoPage.h"
#include "ui/KKTPanel.h"
#include "ui/LMPanel.h"
#include "ui/SoftwarePanel.h"
#include "ui/TorvoPanel.h"
#include "ui/TorvoSettingsDialog.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace {

const QString device = QStringLiteral("0128000000004");
const QString serviceLogPath = QStringLiteral("/api/v1/log/service/") + device;
const QString folder = QStringLiteral("/home/operator/Логи");

void writePort(int port)
{
    QFile file(Settings::getSettingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    file.close();
    Settings::getInstance()->configurate();
    QCOMPARE(Settings::getInstance()->getPort(), port);
}

} // namespace

class InfoPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void arrangement();
    void actionRowInSightOverTallPanels();
    void refreshButtonsShowTheRound_data();
    void refreshButtonsShowTheRound();
    void stateSignalRedrawsItsPanel_data();
    void stateSignalRedrawsItsPanel();
    void settingsWithoutDevice();
    void settingsOpensOneDialog_data();
    void settingsOpensOneDialog();
    void settingsClosedBeforeLoadReply();
    void exportWithoutDevice();
    void exportCancelled();
    void exportOutcome_data();
    void exportOutcome();
    void exportUsesPortOfTheMoment();
    void businessLogExport();

private:
    // Records every call of the folder chooser and answers `answer`.
    void answerChooser(const QString& answer);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    std::unique_ptr<InfoPage> page;
    QStringList captions;
    QStringList startFolders;
    bool buttonDisabledWhileChoosing = false;
};

void InfoPageTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
}

void InfoPageTest::init()
{
    server.clearReplies();
    server.clearRequests();
    QVERIFY(selectDevice(device));
    server.clearRequests();
    page = std::make_unique<InfoPage>();
    captions.clear();
    startFolders.clear();
    log.mark();
}

void InfoPageTest::cleanup()
{
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    server.releaseHanging();
    QVERIFY(waitForNetworkIdle());
    page.reset();
    QTRY_VERIFY(!anyVisibleTopLevel());
}

void InfoPageTest::answerChooser(const QString& answer)
{
    page->setFolderChooser([this, answer](const QString& caption, const QString& startFolder) {
        captions << caption;
        startFolders << startFolder;
        buttonDisabledWhileChoosing = !page->getSaveLogsButton()->isEnabled();
        return answer;
    });
}

void InfoPageTest::arrangement()
{
    page->resize(780, 700);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));

    const QRect torvo = page->findChild<TorvoPanel*>()->geometry();
    const QRect lm = page->findChild<LMPanel*>()->geometry();
    const QRect kkt = page->findChild<KKTPanel*>()->geometry();
    const QRect software = page->findChild<SoftwarePanel*>()->geometry();
    const QRect gis = page->findChild<GISPanel*>()->geometry();
    // Torvo over ЛМ ЧЗ on the left, the register over the cash software on the right.
    QCOMPARE(torvo.left(), lm.left());
    QCOMPARE(kkt.left(), software.left());
    QVERIFY(torvo.right() < kkt.left());
    QVERIFY(torvo.bottom() < lm.top());
    QVERIFY(kkt.bottom() < software.top());
    QCOMPARE(torvo.top(), kkt.top());
    // ГИС МТ under both columns, across the whole width.
    QVERIFY(gis.top() > lm.bottom() && gis.top() > software.bottom());
    QCOMPARE(gis.left(), 0);
    QCOMPARE(gis.width(), page->width());

    QtMaterialRaisedButton* settings = page->getSettingsButton();
    QtMaterialRaisedButton* update = page->getUpdateButton();
    QtMaterialRaisedButton* save = page->getSaveLogsButton();
    QCOMPARE(settings->text(), QStringLiteral("Настройки"));
    QCOMPARE(update->text(), QStringLiteral("Обновить информацию"));
    QCOMPARE(save->text(), QStringLiteral("Сохранить логи"));
    QCOMPARE(settings->property("class").toString(), QStringLiteral("revertButton"));
    QVERIFY(!update->property("class").isValid());
    QCOMPARE(save->property("class").toString(), QStringLiteral("revertButton"));
    QVERIFY(!settings->isHaloVisible() && !update->isHaloVisible() && !save->isHaloVisible());
    QVERIFY(settings->geometry().top() > gis.bottom());
    QCOMPARE(settings->geometry().center().y(), update->geometry().center().y());
    QCOMPARE(update->geometry().center().y(), save->geometry().center().y());
    QCOMPARE(settings->geometry().left(), 0);
    QCOMPARE(save->geometry().right(), page->width() - 1);
    QVERIFY(qAbs(update->geometry().center().x() - page->width() / 2) <= page->width() / 6);
}

// As when the service is down and each panel adds its failure line, or on a low screen.
void InfoPageTest::actionRowInSightOverTallPanels()
{
    page->resize(780, 300);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    for (QWidget* button : {page->getSettingsButton(), page->getUpdateButton(), page->getSaveLogsButton()}) {
        QTRY_VERIFY(page->rect().contains(button->geometry()));
    }
    QVERIFY(page->findChild<QScrollArea*>()->verticalScrollBar()->maximum() > 0);
}

void InfoPageTest::refreshButtonsShowTheRound_data()
{
    QTest::addColumn<bool>("list"); // the header's list round, else the page's round of the state
    QTest::newRow("Обновить список") << true;
    QTest::newRow("Обновить информацию") << false;
}

void InfoPageTest::refreshButtonsShowTheRound()
{
    QFETCH(bool, list);
    HeaderFrame header(nullptr);
    QtMaterialRaisedButton* button = list ? header.getRefreshButton() : page->getUpdateButton();
    const QString idle = button->text();
    TestServer::Reply hang;
    hang.action = TestServer::Action::Hang;
    server.setReply(QStringLiteral("GET"), list ? ServicePaths::kktList() : ServicePaths::status(device),
                    hang);
    ApplicationState* state = ApplicationState::getInstance();
    list ? state->refreshDeviceList() : state->refreshInfo();
    // Busy until the round's last answer, here the one that hangs, is in.
    QTRY_COMPARE(state->findChildren<BaseReply*>().size(), 1);
    QCOMPARE(button->text(),
             list ? QStringLiteral("Обновление списка ...") : QStringLiteral("Обновление информации ..."));
    server.clearReplies();
    server.releaseHanging();
    QTRY_COMPARE(button->text(), idle);
}

void InfoPageTest::stateSignalRedrawsItsPanel_data()
{
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QString>("line");
    QTest::newRow("gismt") << "gismt" << QStringLiteral("Обновление информации о ГИС МТ: ");
    QTest::newRow("lm") << "lm" << QStringLiteral("Обновление информации о ЛМ: ");
    QTest::newRow("torvo") << "torvo" << QStringLiteral("Обновление информации о Torvo: ");
    QTest::newRow("kkt") << "kkt" << QStringLiteral("Обновление информации о ККТ: ");
    QTest::newRow("software") << "software" << QStringLiteral("Обновление информации о ПО: ");
}

void InfoPageTest::stateSignalRedrawsItsPanel()
{
    QFETCH(QString, signal);
    QFETCH(QString, line);

    ApplicationState* state = ApplicationState::getInstance();
    if (signal == QLatin1String("gismt")) {
        emit state->gismtStatusChanged();
    } else if (signal == QLatin1String("lm")) {
        emit state->lmStatusChanged();
    } else if (signal == QLatin1String("torvo")) {
        emit state->torvoStatusChanged();
    } else if (signal == QLatin1String("kkt")) {
        emit state->kktStatusChanged();
    } else {
        emit state->softwareStatusChanged();
    }
    const QStringList redraws = log.messages().filter(QStringLiteral("Обновление информации о "));
    QCOMPARE(redraws.size(), 1);
    QVERIFY2(redraws.first().startsWith(line), qPrintable(redraws.first()));
}

void InfoPageTest::settingsWithoutDevice()
{
    ApplicationState::getInstance()->setCurrentDevice(QString());
    log.mark();
    ModalAnswerer answerer;
    page->getSettingsButton()->click();
    QVERIFY(page->getSettingsButton()->isEnabled());
    QVERIFY(!page->findChild<TorvoSettingsDialog*>());
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Показ настроек Torvo ..."),
                                          QStringLiteral("Не выбрано устройство")}));
    QVERIFY(log.lines().first().contains(QStringLiteral(" INFO  [GUI] ")));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 0);
    QCOMPARE(answerer.count(), 0);
}

void InfoPageTest::settingsOpensOneDialog_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("close") << "close";
    QTest::newRow("reject") << "reject";
    QTest::newRow("saved") << "saved";
}

void InfoPageTest::settingsOpensOneDialog()
{
    QFETCH(QString, ending);

    const QString settingsPath = QStringLiteral("/api/v1/settings/") + device;
    server.setJson(QStringLiteral("GET"), settingsPath, R"({"compatibilityMode":true})");
    server.setJson(QStringLiteral("PUT"), settingsPath, "{}");
    page->show();
    QtMaterialRaisedButton* button = page->getSettingsButton();
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->isEnabled());
    QCOMPARE(page->findChildren<TorvoSettingsDialog*>().size(), 1);
    QPointer<TorvoSettingsDialog> dialog = page->findChild<TorvoSettingsDialog*>();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(log.lines().first().endsWith(QStringLiteral(" INFO  [GUI] Показ настроек Torvo ...")));
    QVERIFY(waitForNetworkIdle());

    if (ending == QLatin1String("close")) {
        dialog->close();
    } else if (ending == QLatin1String("reject")) {
        dialog->reject();
    } else {
        dialog->findChild<QtMaterialRaisedButton*>()->click();
        QTRY_VERIFY(!dialog || !dialog->isVisible());
    }
    QVERIFY(button->isEnabled());
    QTRY_VERIFY(dialog.isNull());
}

void InfoPageTest::settingsClosedBeforeLoadReply()
{
    TestServer::Reply reply;
    reply.status = 500;
    reply.delayMs = 100;
    server.setReply(QStringLiteral("GET"), QStringLiteral("/api/v1/settings/") + device, reply);
    page->show();
    ModalAnswerer answerer;
    page->getSettingsButton()->click();
    QPointer<TorvoSettingsDialog> dialog = page->findChild<TorvoSettingsDialog*>();
    QVERIFY(dialog);
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(answerer.count(), 0);
    QVERIFY(page->getSettingsButton()->isEnabled());
}

void InfoPageTest::exportWithoutDevice()
{
    ApplicationState::getInstance()->setCurrentDevice(QString());
    log.mark();
    answerChooser(folder);
    ModalAnswerer answerer;
    page->getSaveLogsButton()->click();
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка при выгрузке логов"));
    QCOMPARE(answerer.last().text, QStringLiteral("Не выбрано устройство"));
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QCOMPARE(answerer.last().parent, page.get());
    QVERIFY(page->getSaveLogsButton()->isEnabled());
    QVERIFY(captions.isEmpty());
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Сохранение сервисных логи ..."),
                                          QStringLiteral("Не выбрано устройство")}));
    QVERIFY(log.lines().first().contains(QStringLiteral(" INFO  [GUI] ")));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 0);
}

void InfoPageTest::exportCancelled()
{
    answerChooser(QString());
    ModalAnswerer answerer;
    page->getSaveLogsButton()->click();
    QCOMPARE(captions, QStringList({QStringLiteral("Выберите папку для сохранения логов ") + device}));
    QCOMPARE(startFolders, QStringList({QDir::homePath()}));
    QVERIFY(buttonDisabledWhileChoosing);
    QVERIFY(page->getSaveLogsButton()->isEnabled());
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Сохранение сервисных логи ..."),
                                          QStringLiteral("Не выбрана папка для сохранения логов")}));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 0);
}

void InfoPageTest::exportOutcome_data()
{
    QTest::addColumn<int>("status"); // 0: no answer within a time limit of 0.4 s
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // how the box's second line begins; null: no such line
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QString>("level");

    const QString failed = QStringLiteral("Ошибка при сохранении сервисных логи: ");
    const QString noAnswer = QStringLiteral("Нет ответа от службы Torvo за 0.4 с");
    const QString notExported = QStringLiteral("Не удалось выгрузить логи");
    const QString failTitle = QStringLiteral("Ошибка при выгрузке сервисных логов");
    QTest::newRow("exported") << 200 << QByteArray("{}") << QStringLiteral("Выгрузка логов Velkor")
                              << QStringLiteral("Логи успешно выгружены") << QString()
                              << int(QMessageBox::Information) << QStringLiteral("Сервисные логи сохранены")
                              << " INFO  [GUI] ";
    // Without the service's words, how it failed in the operator's; the log keeps the transport's.
    QTest::newRow("refused") << 500 << QByteArray("{}") << failTitle << notExported
                             << QStringLiteral("служба Torvo ответила ошибкой 500 (в ")
                             << int(QMessageBox::Critical) << failed + QStringLiteral("Ошибка сети: ")
                             << " ERROR [GUI] ";
    // The service's own words instead of the transport's, which the log keeps.
    QTest::newRow("refused, with the service's reason")
        << 403 << QByteArray(R"({"error":{"text":"Нет доступа к папке: /home"}})") << failTitle << notExported
        << QStringLiteral("Нет доступа к папке: /home") << int(QMessageBox::Critical)
        << failed + QStringLiteral("Ошибка сети: ") << " ERROR [GUI] ";
    QTest::newRow("no answer") << 0 << QByteArray() << failTitle << notExported
                               << QStringLiteral("нет ответа от службы Torvo за 0.4 с (в ")
                               << int(QMessageBox::Critical) << failed + noAnswer << " ERROR [GUI] ";
}

void InfoPageTest::exportOutcome()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QFETCH(int, icon);
    QFETCH(QString, logged);
    QFETCH(QString, level);

    if (status == 0) {
        TestServer::Reply hang;
        hang.action = TestServer::Action::Hang;
        server.setReply(QStringLiteral("POST"), serviceLogPath, hang);
        NetworkManager::getInstance()->setTimeLimitOverride(400);
    } else {
        server.setJson(QStringLiteral("POST"), serviceLogPath, body, status);
    }
    answerChooser(folder);
    ModalAnswerer answerer;
    QtMaterialRaisedButton* button = page->getSaveLogsButton();
    button->click();
    QVERIFY(!button->isEnabled());
    button->click();
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY(button->isEnabled());
    QCOMPARE(answerer.last().title, title);
    // The reason, then the register it was for; or the register, then the folder written to.
    const QStringList lines = answerer.last().text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(), text);
    const QString detail =
        reason.isNull() ? QStringLiteral("Папка: ") + QDir::toNativeSeparators(folder) : reason;
    QVERIFY2(lines.at(reason.isNull() ? 2 : 1).startsWith(detail), qPrintable(answerer.last().text));
    QCOMPARE(lines.at(reason.isNull() ? 1 : 2), QStringLiteral("Касса: ") + device);
    QCOMPARE(int(answerer.last().icon), icon);
    QCOMPARE(answerer.last().parent, page.get());
    QCOMPARE(captions.size(), 1);

    QCOMPARE(server.requestCount(), 1);
    const TestServer::Request request = server.lastRequest();
    QCOMPARE(request.method, QStringLiteral("POST"));
    QCOMPARE(request.path, serviceLogPath);
    QCOMPARE(request.headers.value("User-Agent"), QByteArray("Torvo-Client/1.0"));
    QCOMPARE(QJsonDocument::fromJson(request.body).object(), QJsonObject({{QStringLiteral("path"), folder}}));

    // The request line before it spans several lines, so look for the whole line start.
    QVERIFY2(!log.lines().filter(level + logged).isEmpty(), qPrintable(log.lines().join(QLatin1Char('\n'))));
}

void InfoPageTest::exportUsesPortOfTheMoment()
{
    TestServer other;
    other.setJson(QStringLiteral("POST"), serviceLogPath, "{}");
    writePort(other.port());
    answerChooser(folder);
    ModalAnswerer answerer;
    page->getSaveLogsButton()->click();
    writePort(server.port()); // a later change does not move the request already made
    QTRY_COMPARE(answerer.count(), 1);
    QVERIFY(answerer.last().text.startsWith(QStringLiteral("Логи успешно выгружены\n")));
    QCOMPARE(other.requestCount(), 1);
    QCOMPARE(other.lastRequest().path, serviceLogPath);
    QCOMPARE(server.requestCount(), 0);
}

void InfoPageTest::businessLogExport()
{
    const QString businessPath = QStringLiteral("/api/v1/log/business/") + device;
    server.setJson(QStringLiteral("POST"), businessPath, "{}");
    ModalAnswerer answerer;
    page->saveBusinessLogs(device, folder);
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Выгрузка логов Velkor"));
    QVERIFY(answerer.last().text.startsWith(QStringLiteral("Логи успешно выгружены\n")));
    QCOMPARE(server.lastRequest().path, businessPath);
    QCOMPARE(QJsonDocument::fromJson(server.lastRequest().body).object(),
             QJsonObject({{QStringLiteral("path"), folder}}));
    QVERIFY(log.contains(QStringLiteral("Сохранение бизнес логи ...")));
    QVERIFY(log.contains(QStringLiteral("Бизнес логи сохранены")));

    server.setJson(QStringLiteral("POST"), businessPath, "{}", 500);
    page->saveBusinessLogs(device, folder);
    QTRY_COMPARE(answerer.count(), 2);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка при выгрузке бизнес логов"));
    QVERIFY(answerer.last().text.startsWith(
        QStringLiteral("Не удалось выгрузить логи\nслужба Torvo ответила ошибкой 500")));
    QVERIFY(log.contains(QStringLiteral("Ошибка при сохранении бизнес логи: Ошибка сети: ")));
}

QTEST_MAIN(InfoPageTest)
#include "tst_infopage.moc"
