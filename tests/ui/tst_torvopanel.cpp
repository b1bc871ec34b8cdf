// The Torvo panel against a loopback server: its rows and buttons, the registration chain
// (set-up, start after a failed set-up, registration) with every refusal, box and log line,
// and the upgrade with the queue question.
#include "ModalAnswerer.h"
#include "ServiceScript.h"
#include "TestEnvironment.h"
#include "TestServer.h"

#include "app/ApplicationState.h"
#include "network/NetworkManager.h"
#include "ui/InfoPage.h"
#include "ui/StatusLine.h"
#include "ui/TorvoPanel.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

const QString device = QStringLiteral("0128000000002");
const QString setupPath = QStringLiteral("/api/v1/velkor");
const QString startPath = QStringLiteral("/api/v1/service/start/") + device;
const QString queueQuestion =
    QStringLiteral("Обновление сейчас невозможно, так как смена не закрыта. Поставить "
                   "обновление в очередь, чтобы оно выполнилось после закрытия смены?");

// The device with an update on offer and its shift in `shift`.
DeviceScript upgradable(const QString& shift)
{
    DeviceScript script;
    script.device = device;
    script.shiftState = shift;
    script.updatePackage = QStringLiteral("torvo-setup");
    script.updateVersion = QStringLiteral("1.5.0");
    return script;
}

QJsonObject bodyOf(const TestServer::Request& request)
{
    return QJsonDocument::fromJson(request.body).object();
}

// "METHOD path" of every request that is not one of the status refreshes.
QStringList actionsOf(const QList<TestServer::Request>& requests)
{
    QStringList actions;
    for (const auto& request : requests) {
        if (request.method != QLatin1String("GET")) {
            actions << request.method + QLatin1Char(' ') + request.path;
        }
    }
    return actions;
}

QString valueOf(TorvoPanel* panel, const QString& caption)
{
    return panel->findChild<QLabel*>(ModulePanel::valueName(caption))->text();
}

// A box's first line, the one every box of the kind has; the lines under it say why and where.
QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

QStringList chainLines(const LogReader& log)
{
    QStringList lines;
    for (const QString& message : log.messages()) {
        if (message.contains(QStringLiteral("службы Torvo")) ||
            message.contains(QStringLiteral("запуска Torvo")) ||
            message.contains(QStringLiteral("регистрации Torvo"))) {
            lines << message;
        }
    }
    return lines;
}

} // namespace

class TorvoPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rowsAndButtons();
    void registrationOfferedOnWhatTheServiceSaid_data();
    void registrationOfferedOnWhatTheServiceSaid();
    void registrationRefused_data();
    void registrationRefused();
    void registrationOnAShiftOpenedSince();
    void registrationChain_data();
    void registrationChain();
    void successfulRegistrationRefreshesOnce();
    void laterStepsStopOnMissingData_data();
    void laterStepsStopOnMissingData();
    void upgrade_data();
    void upgrade();
    void upgradeFails();
    void upgradeRefusedForMissingData_data();
    void upgradeRefusedForMissingData();
    void actionsNeverUseAnotherDevicesData();
    void upgradeButtonStaysHiddenWhileSentAndAccepted();

private:
    // A fresh page whose Torvo panel has drawn `script`.
    void load(const DeviceScript& script);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    std::unique_ptr<InfoPage> page;
    TorvoPanel* panel = nullptr;
};

void TorvoPanelTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
}

void TorvoPanelTest::init()
{
    server.clearReplies();
    server.clearRequests();
    page = std::make_unique<InfoPage>();
    panel = page->findChild<TorvoPanel*>();
}

void TorvoPanelTest::cleanup()
{
    QVERIFY(waitForNetworkIdle());
    page.reset();
    QVERIFY(!anyVisibleTopLevel());
}

void TorvoPanelTest::load(const DeviceScript& script)
{
    scriptDevice(server, script);
    QVERIFY(selectDevice(script.device));
    server.clearRequests();
    log.mark();
}

void TorvoPanelTest::rowsAndButtons()
{
    QtMaterialRaisedButton* registerButton = panel->getRegisterButton();
    QtMaterialRaisedButton* upgradeButton = panel->getUpgradeButton();
    QCOMPARE(registerButton->text(), QStringLiteral("Зарегистрировать"));
    QCOMPARE(upgradeButton->text(), QStringLiteral("Обновить Torvo"));
    QCOMPARE(upgradeButton->property("class").toString(), QStringLiteral("revertButton"));
    QVERIFY(!registerButton->isHaloVisible() && !upgradeButton->isHaloVisible());
    QVERIFY(registerButton->isHidden() && upgradeButton->isHidden());

    DeviceScript script;
    script.device = device;
    script.updatePackage = QStringLiteral("torvo-setup");
    script.updateVersion = QStringLiteral("1.5.0");
    log.mark();
    load(script);
    QCOMPARE(valueOf(panel, QStringLiteral("Состояние:")), script.torvoState);
    QCOMPARE(valueOf(panel, QStringLiteral("ID:")), script.velkorId);
    QCOMPARE(valueOf(panel, QStringLiteral("Версия:")), script.torvoVersion);
    QVERIFY(!registerButton->isHidden());
    QVERIFY(!upgradeButton->isHidden());

    // Registered and nothing to install: both buttons go, also the one shown before.
    script.torvoState = QStringLiteral("Зарегистрирован");
    script.updatePackage.clear();
    script.updateVersion.clear();
    scriptDevice(server, script);
    QVERIFY(selectDevice(device));
    QVERIFY(registerButton->isHidden());
    QVERIFY(upgradeButton->isHidden());
    QCOMPARE(log.messages().filter(QStringLiteral("Обновление информации о Torvo")).last(),
             QStringLiteral("Обновление информации о Torvo: status=`Зарегистрирован` serial=`VK-0001` "
                            "version=`1.4.2` isAvailable=`0` package=`` version=``"));

    // A state that only looks like registered keeps the button.
    script.torvoState = QStringLiteral("зарегистрирован");
    script.updatePackage = QStringLiteral("torvo-setup");
    script.updateVersion = QStringLiteral("1.5.0");
    scriptDevice(server, script);
    log.mark();
    QVERIFY(selectDevice(device));
    QVERIFY(!registerButton->isHidden());
    QCOMPARE(log.messages().filter(QStringLiteral("Обновление информации о Torvo")).last(),
             QStringLiteral("Обновление информации о Torvo: status=`зарегистрирован` serial=`VK-0001` "
                            "version=`1.4.2` isAvailable=`1` package=`torvo-setup` version=`1.5.0`"));
}

void TorvoPanelTest::registrationOfferedOnWhatTheServiceSaid_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("line"); // the start of the panel's line
    const int answer = int(TestServer::Action::Answer);
    QTest::newRow("not registered") << answer << 200 << true << QString();
    // The service has no instance for the register: what set-up is for.
    QTest::newRow("no instance") << answer << 404 << true
                                 << QStringLiteral("Служба Torvo для этой кассы не настроена (ответ 404)");
    // Otherwise the state is not known, and the service may be registered already.
    QTest::newRow("server error") << answer << 500 << false
                                  << QStringLiteral(
                                         "Нет данных о службе: служба Torvo ответила ошибкой 500 (в ");
    QTest::newRow("time limit") << int(TestServer::Action::Hang) << 200 << false
                                << QStringLiteral("Нет данных о службе: нет ответа от службы Torvo за 1 с");
}

void TorvoPanelTest::registrationOfferedOnWhatTheServiceSaid()
{
    QFETCH(int, action);
    QFETCH(int, status);
    QFETCH(bool, offered);
    QFETCH(QString, line);
    DeviceScript script;
    script.device = device;
    scriptDevice(server, script);
    if (status != 200 || action != int(TestServer::Action::Answer)) {
        TestServer::Reply reply;
        reply.action = TestServer::Action(action);
        reply.status = status;
        server.setReply(QStringLiteral("GET"), ServicePaths::torvoStatus(device), reply);
    }
    NetworkManager::getInstance()->setTimeLimitOverride(action == int(TestServer::Action::Hang) ? 1000 : 0);
    const bool read = selectDevice(device);
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    server.releaseHanging();
    QVERIFY(read);
    QCOMPARE(!panel->getRegisterButton()->isHidden(), offered);
    QVERIFY2(panel->getReadLine()->text().startsWith(line), qPrintable(panel->getReadLine()->text()));
    QCOMPARE(panel->getReadLine()->isHidden(), line.isEmpty());
}

void TorvoPanelTest::registrationRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    const QString missing = QStringLiteral("Недостаточно данных для регистрации Torvo");
    const QString shift = QStringLiteral("Смена не открыта");
    QTest::newRow("no device") << "device" << QString() << missing;
    QTest::newRow("no register") << "register" << QString() << missing;
    QTest::newRow("no fiscal storage") << "fnSerial" << QString() << missing;
    QTest::newRow("no taxpayer number") << "kktInn" << QString() << missing;
    QTest::newRow("shift closed") << "shiftState" << QStringLiteral("Закрыта") << shift;
    QTest::newRow("shift empty") << "shiftState" << QString() << shift;
    QTest::newRow("shift lower case") << "shiftState" << QStringLiteral("открыта") << shift;
}

void TorvoPanelTest::registrationRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, text);

    DeviceScript script;
    script.device = device;
    if (field == QLatin1String("register")) {
        script.inKktList = false;
    } else if (field == QLatin1String("fnSerial")) {
        script.fnSerial = value;
    } else if (field == QLatin1String("kktInn")) {
        script.kktInn = value;
    } else if (field == QLatin1String("shiftState")) {
        script.shiftState = value;
    }
    load(script);
    if (field == QLatin1String("device")) {
        ApplicationState::getInstance()->setCurrentDevice(QString());
        log.mark();
    }

    ModalAnswerer answerer;
    panel->getRegisterButton()->click();
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().className, QStringLiteral("QMessageBox"));
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка регистрации"));
    // The box names the register it was for.
    QCOMPARE(answerer.last().text,
             field == QLatin1String("device") ? text : text + QStringLiteral("\nКасса: ") + device);
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QCOMPARE(answerer.last().parent, panel);
    QVERIFY(panel->getRegisterButton()->isEnabled());
    QCOMPARE(log.messages().first(), QStringLiteral("Запрос запуска службы Torvo ..."));
    QCOMPARE(log.messages().last(), text);
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QVERIFY(waitForNetworkIdle());
    // A shift that is not open is asked of the cash register once more before it refuses.
    const bool shift = field == QLatin1String("shiftState");
    QCOMPARE(server.requestCount(), shift ? 1 : 0);
    QCOMPARE(server.requests(QStringLiteral("GET"), ServicePaths::kktList()).size(), shift ? 1 : 0);
}

// The record said "Закрыта"; the shift was opened since. The registration goes on, on the fresh
// answer, and the cash register's panel shows it.
void TorvoPanelTest::registrationOnAShiftOpenedSince()
{
    DeviceScript script = upgradable(QStringLiteral("Закрыта"));
    load(script);
    script.shiftState = QStringLiteral("Открыта");
    scriptDevice(server, script);
    server.clearRequests();
    ModalAnswerer answerer;
    panel->getRegisterButton()->click();
    QTRY_VERIFY(!server.requests(QStringLiteral("POST"), setupPath).isEmpty());
    QTRY_COMPARE(ApplicationState::getInstance()->getKktInfo().shiftState, QStringLiteral("Открыта"));
    QVERIFY(waitForNetworkIdle());
    QVERIFY(!log.messages().contains(QStringLiteral("Смена не открыта")));
}

void TorvoPanelTest::registrationChain_data()
{
    QTest::addColumn<QByteArray>("setupReply");
    QTest::addColumn<QByteArray>("startReply"); // empty: not scripted
    QTest::addColumn<QByteArray>("registrationReply");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("box");

    const QString setup = QStringLiteral("POST ") + setupPath;
    const QString start = QStringLiteral("POST ") + startPath;
    const QString registration = QStringLiteral("PUT ") + setupPath;
    const QByteArray running = R"({"id":"inst-1","serviceState":"Работает"})";
    const QByteArray stopped = R"({"id":"inst-1","serviceState":"Остановлен"})";
    const QByteArray registered = R"({"velkorId":"VK-0001"})";

    const QString setupAsked = QStringLiteral("Запрос запуска службы Torvo ...");
    const QString setupOk = QStringLiteral("Обработка ответа на запрос регистрации службы Torvo: success");
    const QString setupFailed = QStringLiteral(
        "Обработка ответа на запрос регистрации службы Torvo: error: `Не удалось запустить Torvo`");
    const QString startAsked = QStringLiteral("Запрос старта службы Torvo ...");
    const QString startOk = QStringLiteral("Обработка ответа на запрос запуска Torvo: success");
    const QString startFailed =
        QStringLiteral("Обработка ответа на запрос запуска Torvo: error: `Не удалось запустить Torvo`");
    const QString registerAsked = QStringLiteral("Запрос регистрации Torvo ...");
    const QString registerOk = QStringLiteral("Обработка ответа на запрос регистрации Torvo: success");
    const QString registerFailed = QStringLiteral(
        "Обработка ответа на запрос регистрации Torvo: error: `Не удалось зарегистрировать Torvo`");

    QTest::newRow("set-up succeeds, start skipped")
        << running << QByteArray() << registered << QStringList{setup, registration}
        << QStringList{setupAsked, setupOk, registerAsked, registerOk} << false;
    QTest::newRow("set-up fails, start succeeds")
        << stopped << running << registered << QStringList{setup, start, registration}
        << QStringList{setupAsked, setupFailed, startAsked, startOk, registerAsked, registerOk} << false;
    QTest::newRow("set-up and start fail")
        << stopped << stopped << registered << QStringList{setup, start}
        << QStringList{setupAsked, setupFailed, startAsked, startFailed} << true;
    QTest::newRow("registration fails")
        << running << QByteArray() << QByteArray("{}") << QStringList{setup, registration}
        << QStringList{setupAsked, setupOk, registerAsked, registerFailed} << true;
}

void TorvoPanelTest::registrationChain()
{
    QFETCH(QByteArray, setupReply);
    QFETCH(QByteArray, startReply);
    QFETCH(QByteArray, registrationReply);
    QFETCH(QStringList, actions);
    QFETCH(QStringList, lines);
    QFETCH(bool, box);

    DeviceScript script;
    script.device = device;
    load(script);
    server.setJson(QStringLiteral("POST"), setupPath, setupReply);
    if (!startReply.isEmpty()) {
        server.setJson(QStringLiteral("POST"), startPath, startReply);
    }
    server.setJson(QStringLiteral("PUT"), setupPath, registrationReply);

    ModalAnswerer answerer;
    QtMaterialRaisedButton* button = panel->getRegisterButton();
    button->click();
    QVERIFY(!button->isEnabled());
    button->click(); // a second press while the chain runs starts nothing
    QTRY_VERIFY(button->isEnabled());
    QVERIFY(selectDevice(device)); // lets a refresh the chain started finish
    server.clearReplies();

    const QList<TestServer::Request> requests = server.requests();
    QCOMPARE(actionsOf(requests), actions);
    QCOMPARE(chainLines(log), lines);
    for (const auto& request : requests) {
        if (request.path == setupPath && request.method == QLatin1String("POST")) {
            QCOMPARE(bodyOf(request), QJsonObject({{QStringLiteral("id"), device}}));
        } else if (request.path == setupPath) {
            QCOMPARE(bodyOf(request), QJsonObject({{QStringLiteral("id"), device},
                                                   {QStringLiteral("kktSerial"), device},
                                                   {QStringLiteral("fnSerial"), script.fnSerial},
                                                   {QStringLiteral("kktInn"), script.kktInn}}));
        } else if (request.path == startPath) {
            QVERIFY(request.body.isEmpty());
        }
    }
    QCOMPARE(answerer.count(), box ? 1 : 0);
    if (box) {
        QCOMPARE(answerer.last().title, QStringLiteral("Ошибка регистрации"));
        QCOMPARE(firstLine(answerer.last().text), QStringLiteral("Не удалось зарегистрировать Torvo"));
        QVERIFY(answerer.last().text.endsWith(QStringLiteral("\nКасса: ") + device));
        QCOMPARE(answerer.last().icon, QMessageBox::Critical);
        QCOMPARE(answerer.last().parent, panel);
    }
}

void TorvoPanelTest::successfulRegistrationRefreshesOnce()
{
    DeviceScript script;
    script.device = device;
    load(script);
    QtMaterialRaisedButton* button = panel->getRegisterButton();
    QVERIFY(!button->isHidden());

    server.setJson(QStringLiteral("POST"), setupPath, R"({"id":"inst-1","serviceState":"Работает"})");
    server.setJson(QStringLiteral("PUT"), setupPath, R"({"velkorId":"VK-0001"})");
    script.torvoState = QStringLiteral("Зарегистрирован");
    scriptDevice(server, script);

    ModalAnswerer answerer;
    button->click();
    QTRY_VERIFY(button->isEnabled());
    // The registration's refresh is on the wire; its reply hides the button.
    QTRY_VERIFY(button->isHidden());
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(log.count(QStringLiteral("Запрос обновления полной информации ...")), 1);
    QCOMPARE(server.requests().size(), 2 + 6);
    QCOMPARE(answerer.count(), 0);
}

void TorvoPanelTest::laterStepsStopOnMissingData_data()
{
    QTest::addColumn<bool>("start"); // else registration
    QTest::addColumn<int>("empty");  // which of the four texts is empty
    for (int empty = 0; empty < 4; ++empty) {
        QTest::addRow("start, text %d empty", empty) << true << empty;
        QTest::addRow("registration, text %d empty", empty) << false << empty;
    }
}

void TorvoPanelTest::laterStepsStopOnMissingData()
{
    QFETCH(bool, start);
    QFETCH(int, empty);

    QStringList texts{device, QStringLiteral("K"), QStringLiteral("F"), QStringLiteral("I")};
    texts[empty].clear();
    panel->getRegisterButton()->setEnabled(false);
    log.mark();
    ModalAnswerer answerer;
    if (start) {
        panel->startTorvo(texts[0], texts[1], texts[2], texts[3]);
    } else {
        panel->registerTorvo(texts[0], texts[1], texts[2], texts[3]);
    }
    QVERIFY(panel->getRegisterButton()->isEnabled());
    QCOMPARE(log.messages(), QStringList({start ? QStringLiteral("Запрос старта службы Torvo ...")
                                                : QStringLiteral("Запрос регистрации Torvo ..."),
                                          QStringLiteral("Недостаточно данных для регистрации Torvo")}));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(server.requestCount(), 0);
}

void TorvoPanelTest::upgrade_data()
{
    QTest::addColumn<QString>("shift");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("sent");

    QTest::newRow("closed shift, no question")
        << QStringLiteral("Закрыта") << int(QMessageBox::No) << false << true;
    QTest::newRow("open shift, no") << QStringLiteral("Открыта") << int(QMessageBox::No) << true << false;
    QTest::newRow("open shift, yes") << QStringLiteral("Открыта") << int(QMessageBox::Yes) << true << true;
    QTest::newRow("empty shift, no") << QString() << int(QMessageBox::No) << true << false;
    QTest::newRow("expired shift, yes") << QStringLiteral("Истекла") << int(QMessageBox::Yes) << true << true;
}

void TorvoPanelTest::upgrade()
{
    QFETCH(QString, shift);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, sent);

    load(upgradable(shift));
    server.setJson(QStringLiteral("POST"), ServicePaths::update(device), "{}");
    QtMaterialRaisedButton* button = panel->getUpgradeButton();
    QVERIFY(!button->isHidden());

    ModalAnswerer answerer{QMessageBox::StandardButton(answer)};
    button->click();
    QCOMPARE(button->isHidden(), sent);
    int boxes = 0;
    if (asked) {
        QVERIFY(answerer.count() >= 1);
        const ModalAnswerer::Seen question = answerer.seen.first();
        QCOMPARE(question.title, QStringLiteral("Обновление Torvo"));
        QCOMPARE(question.text, queueQuestion);
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(question.parent, panel);
        ++boxes;
    }
    if (sent) {
        QTRY_COMPARE(answerer.count(), boxes + 1);
        QCOMPARE(answerer.last().title, QStringLiteral("Обновление Torvo"));
        QCOMPARE(answerer.last().text,
                 QStringLiteral("Обновление Torvo успешно поставлено в очередь\nКасса: ") + device);
        QCOMPARE(answerer.last().icon, QMessageBox::Information);
        QCOMPARE(answerer.last().parent, panel);
        QCOMPARE(actionsOf(server.requests()),
                 QStringList{QStringLiteral("POST ") + ServicePaths::update(device)});
        const TestServer::Request request =
            server.requests(QStringLiteral("POST"), ServicePaths::update(device)).first();
        QCOMPARE(bodyOf(request), QJsonObject({{QStringLiteral("package"), QStringLiteral("torvo-setup")},
                                               {QStringLiteral("versionName"), QStringLiteral("1.5.0")}}));
        QVERIFY(log.contains(QStringLiteral("Обработка ответа на запрос обновления Torvo: success")));
        // The panels then show what the service now has; the update still on offer is accepted.
        QCOMPARE(log.count(QStringLiteral("Запрос обновления полной информации ...")), 1);
        QVERIFY(waitForNetworkIdle());
        QVERIFY(button->isHidden());
    } else {
        QVERIFY(waitForNetworkIdle());
        QCOMPARE(answerer.count(), boxes);
        QCOMPARE(server.requestCount(), 0);
    }
}

void TorvoPanelTest::upgradeFails()
{
    load(upgradable(QStringLiteral("Закрыта")));
    server.setJson(QStringLiteral("POST"), ServicePaths::update(device), "{}", 500);

    ModalAnswerer answerer;
    panel->getUpgradeButton()->click();
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка обновления"));
    // The service's answer in words, and the register, under the first line.
    QVERIFY(answerer.last().text.startsWith(
        QStringLiteral("Не удалось обновить Torvo\nслужба Torvo ответила ошибкой 500 (в ")));
    QVERIFY(answerer.last().text.endsWith(QStringLiteral(")\nКасса: ") + device));
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QCOMPARE(answerer.last().parent, panel);
    const QString line = log.messages().filter(QStringLiteral("запрос обновления Torvo")).value(0);
    QVERIFY2(line.startsWith(
                 QStringLiteral("Обработка ответа на запрос обновления Torvo: error: `Ошибка сети: ")) &&
                 line.endsWith(QLatin1Char('`')),
             qPrintable(line));
}

void TorvoPanelTest::upgradeRefusedForMissingData_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("no device") << "device";
    QTest::newRow("no package") << "package";
    QTest::newRow("no version") << "version";
}

void TorvoPanelTest::upgradeRefusedForMissingData()
{
    QFETCH(QString, missing);

    DeviceScript script;
    script.device = device;
    script.shiftState = QStringLiteral("Закрыта");
    script.updatePackage = missing == QLatin1String("package") ? QString() : QStringLiteral("torvo-setup");
    script.updateVersion = missing == QLatin1String("version") ? QString() : QStringLiteral("1.5.0");
    load(script);
    if (missing == QLatin1String("device")) {
        ApplicationState::getInstance()->setCurrentDevice(QString());
        log.mark();
    }

    ModalAnswerer answerer;
    panel->updateTorvo();
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.last().title, QStringLiteral("Ошибка обновления"));
    QCOMPARE(firstLine(answerer.last().text), QStringLiteral("Недостаточно данных для обновления Torvo"));
    QCOMPARE(answerer.last().icon, QMessageBox::Critical);
    QCOMPARE(answerer.last().parent, panel);
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Запрос обновления Torvo ..."),
                                          QStringLiteral("Недостаточно данных для обновления Torvo")}));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QVERIFY(waitForNetworkIdle());
    QCOMPARE(server.requestCount(), 0);
}

void TorvoPanelTest::actionsNeverUseAnotherDevicesData()
{
    // A: not registered, shift open, an update on offer: every action would have its data.
    DeviceScript a;
    a.device = device;
    a.updatePackage = QStringLiteral("torvo-setup");
    a.updateVersion = QStringLiteral("1.5.0");
    load(a);
    QVERIFY(!panel->getUpgradeButton()->isHidden());

    // B's replies are not in yet when the operator acts.
    const QString other = QStringLiteral("0128000000099");
    TestServer::Reply hang;
    hang.action = TestServer::Action::Hang;
    for (const QString& path :
         {ServicePaths::status(other), ServicePaths::lmStatus(other), ServicePaths::torvoStatus(other),
          ServicePaths::kktList(), ServicePaths::lmSettings(other), ServicePaths::update(other)}) {
        server.setReply(QStringLiteral("GET"), path, hang);
    }
    ApplicationState::getInstance()->setCurrentDevice(other);
    QVERIFY(panel->getRegisterButton()->isHidden());
    QVERIFY(panel->getUpgradeButton()->isHidden());
    QVERIFY(valueOf(panel, QStringLiteral("ID:")).isEmpty());

    ModalAnswerer answerer;
    panel->getRegisterButton()->click();
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(firstLine(answerer.last().text), QStringLiteral("Недостаточно данных для регистрации Torvo"));
    panel->updateTorvo();
    QCOMPARE(answerer.count(), 2);
    QCOMPARE(firstLine(answerer.last().text), QStringLiteral("Недостаточно данных для обновления Torvo"));
    QVERIFY(actionsOf(server.requests()).isEmpty());

    // With no device at all there is nothing to register.
    server.releaseHanging();
    ApplicationState::getInstance()->setCurrentDevice(QString());
    QVERIFY(panel->getRegisterButton()->isHidden());
}

void TorvoPanelTest::upgradeButtonStaysHiddenWhileSentAndAccepted()
{
    load(upgradable(QStringLiteral("Закрыта")));
    TestServer::Reply slow;
    slow.delayMs = 1000;
    server.setReply(QStringLiteral("POST"), ServicePaths::update(device), slow);
    QtMaterialRaisedButton* button = panel->getUpgradeButton();

    ModalAnswerer answerer;
    button->click();
    QVERIFY(button->isHidden());
    // A redraw while the upgrade is on its way (the update is still on offer) must not offer it again.
    QVERIFY(selectDevice(device));
    QVERIFY(button->isHidden());
    QTRY_COMPARE(answerer.count(), 1);
    QCOMPARE(firstLine(answerer.last().text),
             QStringLiteral("Обновление Torvo успешно поставлено в очередь"));
    // Accepted, it is not offered again while the service offers the same (it was queued again and
    // again), until the offer changes.
    QVERIFY(selectDevice(device));
    QVERIFY(button->isHidden());
    DeviceScript newer = upgradable(QStringLiteral("Закрыта"));
    newer.updateVersion = QStringLiteral("1.6.0");
    scriptDevice(server, newer);
    QVERIFY(selectDevice(device));
    QVERIFY(!button->isHidden());
    QCOMPARE(server.requests(QStringLiteral("POST"), ServicePaths::update(device)).size(), 1);
}

QTEST_MAIN(TorvoPanelTest)
#include "tst_torvopanel.moc"
