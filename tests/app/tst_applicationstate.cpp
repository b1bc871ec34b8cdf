// ApplicationState against replies served over real sockets: the device list, the selected
// device, the five records, their signals and log lines, and late replies of a previous device.
#include "app/ApplicationState.h"
#include "network/BaseReply.h"
#include "network/NetworkManager.h"
#include "network/RequestSender.h"
#include "network/RequestTorvoList.h"

#include "TestEnvironment.h"
#include "TestServer.h"

#include <QtTest>

namespace {

const QString kktList = QStringLiteral("/api/v1/dkktList");
const QString torvoList = QStringLiteral("/api/v1/instances/info");

QString statusPath(const QString& device)
{
    return QStringLiteral("/api/v1/status/") + device;
}
QString lmPath(const QString& device)
{
    return QStringLiteral("/api/v1/instances/lm/") + device;
}
QString torvoPath(const QString& device)
{
    return QStringLiteral("/api/v1/instances/info/") + device;
}
QString lmSettingsPath(const QString& device)
{
    return QStringLiteral("/api/v1/settings/lm/") + device;
}
QString updatePath(const QString& device)
{
    return QStringLiteral("/api/v1/update/") + device;
}

QByteArray kktListBody(const QStringList& serials)
{
    QByteArray items;
    for (const QString& serial : serials) {
        items += (items.isEmpty() ? "" : ",") + QByteArray(R"({"kktSerial":")") + serial.toUtf8() +
                 R"(","modelName":"Модель )" + serial.toUtf8() + R"(","fnSerial":"FN)" + serial.toUtf8() +
                 R"(","kktRnm":"RNM","kktInn":"INN)" + serial.toUtf8() + R"(","shiftState":"Открыта"})";
    }
    return "{\"kkt\":[" + items + "]}";
}

// Every status endpoint of `device` answers with values that name the device.
void scriptDevice(TestServer& server, const QString& device, int lmDelayMs = 0)
{
    const QByteArray d = device.toUtf8();
    server.setJson(QStringLiteral("GET"), statusPath(device),
                   R"({"gismt":{"lastConnection":"2026-12-01 10:00"},"clientSoftware":{"error":"нет связи )" +
                       d + R"(","name":"Касса","version":"3.1"}})");
    TestServer::Reply lm;
    lm.body = R"({"lmStatus":{"version":"lm-)" + d + R"(","status":"ready","lastSync":0}})";
    lm.delayMs = lmDelayMs;
    server.setReply(QStringLiteral("GET"), lmPath(device), lm);
    server.setJson(QStringLiteral("GET"), torvoPath(device),
                   R"({"state":"Зарегистрирован","version":"2.0","regData":{"velkorId":"V-)" + d +
                       R"(","gismtVelkorId":"G-)" + d + R"("}})");
    server.setJson(QStringLiteral("GET"), lmSettingsPath(device),
                   R"({"address":"host-)" + d + R"(","port":80,"login":"l","password":"p"})");
    server.setJson(QStringLiteral("GET"), updatePath(device),
                   R"({"updates":[{"package":"torvo","versionName":"2.1"}]})");
}

} // namespace

class ApplicationStateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void addDevicesKeepsFirstOrder();
    void clearDevicesOnEmptyListEmitsNothing();
    void emptyDeviceSendsNothing();
    void sameDeviceTwiceDoesNothing();
    void refreshFillsEveryRecord();
    void failedTorvoStatusKeepsUpdateFields();
    void failedLmSettingsEmptiesAddress();
    void serviceInstanceHasNoRegister();
    void listsFailingAtStartup();
    void listsAddedAsTheyArrive_data();
    void listsAddedAsTheyArrive();
    void previousDeviceNeverReachesRecords_data();
    void previousDeviceNeverReachesRecords();
    void hungRoundFreesConnections_data();
    void hungRoundFreesConnections();
    void serviceProblemFollowsTheLists_data();
    void serviceProblemFollowsTheLists();

private:
    bool idle();
    void select(const QString& device);
    ApplicationState* state = ApplicationState::getInstance();
    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
};

void ApplicationStateTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
}

void ApplicationStateTest::init()
{
    server.clearReplies();
    server.clearRequests();
    log.mark();
}

void ApplicationStateTest::cleanup()
{
    // The next case starts clean whatever this one left, also when it failed half-way: nothing
    // on the wire, nothing hanging at the server, the time limits as they are.
    server.releaseHanging();
    for (BaseReply* request : state->findChildren<BaseReply*>()) {
        RequestSender::cancel(request);
    }
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    QVERIFY(idle());
}

bool ApplicationStateTest::idle()
{
    return QTest::qWaitFor([this] { return state->findChildren<BaseReply*>().isEmpty(); }, 20000);
}

// Selects `device` and waits for all six replies.
void ApplicationStateTest::select(const QString& device)
{
    state->setCurrentDevice(device);
    QVERIFY(idle());
}

void ApplicationStateTest::addDevicesKeepsFirstOrder()
{
    state->clearDevices();
    log.mark();
    QSignalSpy changed(state, &ApplicationState::deviceListChanged);
    state->addDevices({QStringLiteral("A"), QStringLiteral("B")});
    state->addDevices({QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")});
    state->addDevices({});
    QCOMPARE(changed.count(), 3);
    const QStringList expected{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    QCOMPARE(changed.last().first().toStringList(), expected);
    QCOMPARE(state->getDevices(), expected);
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Добавлено устройство: A"),
                                          QStringLiteral("Добавлено устройство: B"),
                                          QStringLiteral("Добавлено устройство: C")}));
}

void ApplicationStateTest::clearDevicesOnEmptyListEmitsNothing()
{
    state->addDevices({QStringLiteral("X")});
    state->clearDevices();
    log.mark();
    QSignalSpy changed(state, &ApplicationState::deviceListChanged);
    state->clearDevices();
    QCOMPARE(changed.count(), 0);
    QVERIFY(log.messages().isEmpty());
}

void ApplicationStateTest::emptyDeviceSendsNothing()
{
    select(QStringLiteral("prior"));
    server.clearRequests();
    log.mark();
    QSignalSpy deviceChanged(state, &ApplicationState::deviceChanged);
    state->setCurrentDevice(QString());
    QCOMPARE(deviceChanged.count(), 1);
    QCOMPARE(deviceChanged.first().first().toString(), QString());
    QCOMPARE(state->findChildren<BaseReply*>().size(), 0);
    QCOMPARE(log.messages(), QStringList({QStringLiteral("Изменено выбранное устройство: "),
                                          QStringLiteral("Запрос обновления полной информации ..."),
                                          QStringLiteral("Не выбрано устройство")}));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    QCOMPARE(server.requestCount(), 0);
}

void ApplicationStateTest::sameDeviceTwiceDoesNothing()
{
    scriptDevice(server, QStringLiteral("S1"));
    select(QStringLiteral("S1"));
    server.clearRequests();
    log.mark();
    QSignalSpy deviceChanged(state, &ApplicationState::deviceChanged);
    state->setCurrentDevice(QStringLiteral("S1"));
    QCOMPARE(deviceChanged.count(), 0);
    QVERIFY(log.messages().isEmpty());
    QCOMPARE(state->findChildren<BaseReply*>().size(), 0);
}

void ApplicationStateTest::refreshFillsEveryRecord()
{
    const QString device = QStringLiteral("K1");
    scriptDevice(server, device);
    server.setJson(QStringLiteral("GET"), kktList, kktListBody({QStringLiteral("K0"), device}));

    QSignalSpy torvo(state, &ApplicationState::torvoStatusChanged);
    QSignalSpy gismt(state, &ApplicationState::gismtStatusChanged);
    QSignalSpy kkt(state, &ApplicationState::kktStatusChanged);
    QSignalSpy lm(state, &ApplicationState::lmStatusChanged);
    QSignalSpy software(state, &ApplicationState::softwareStatusChanged);
    select(device);

    QCOMPARE(server.requestCount(), 6);
    const QStringList paths{statusPath(device),     lmPath(device),    torvoPath(device), kktList,
                            lmSettingsPath(device), updatePath(device)};
    QStringList seen;
    for (const auto& request : server.requests()) {
        seen << request.path;
    }
    std::sort(seen.begin(), seen.end());
    QStringList sortedPaths = paths;
    std::sort(sortedPaths.begin(), sortedPaths.end());
    QCOMPARE(seen, sortedPaths);
    // Sent in this order, one start line each.
    const QStringList starts{QStringLiteral("Запрос обновления статуса соединения ..."),
                             QStringLiteral("Запрос обновления статуса ЛМ ..."),
                             QStringLiteral("Запрос обновления статуса Torvo ..."),
                             QStringLiteral("Запрос обновления статуса ККТ ..."),
                             QStringLiteral("Запрос обновления настроек ЛМ ..."),
                             QStringLiteral("Запрос обновления обновлений Torvo ...")};
    QStringList logged;
    for (const QString& message : log.messages()) {
        if (starts.contains(message)) {
            logged << message;
        }
    }
    QCOMPARE(logged, starts);
    for (const char* subject : {"статуса соединения", "статуса ЛМ", "статуса Torvo", "статуса ККТ",
                                "настроек ЛМ", "обновлений Torvo"}) {
        QVERIFY2(log.contains(QStringLiteral("Обработка ответа на запрос ") + QString::fromUtf8(subject) +
                              QStringLiteral(": success")),
                 subject);
    }

    // One each for the records emptied as the device is picked, then those of the replies.
    QCOMPARE(torvo.count(), 1 + 2);
    QCOMPARE(gismt.count(), 1 + 2);
    QCOMPARE(kkt.count(), 1 + 1);
    QCOMPARE(lm.count(), 1 + 2);
    QCOMPARE(software.count(), 1 + 1);

    const TorvoInfo t = state->getTorvoInfo();
    QVERIFY(t.registered);
    QCOMPARE(t.state, QStringLiteral("Зарегистрирован"));
    QCOMPARE(t.velkorId, QStringLiteral("V-K1"));
    QCOMPARE(t.version, QStringLiteral("2.0"));
    QVERIFY(t.hasUpdate);
    QCOMPARE(t.updatePackage, QStringLiteral("torvo"));
    QCOMPARE(t.updateVersion, QStringLiteral("2.1"));
    const GismtInfo g = state->getGismtInfo();
    QCOMPARE(g.gismtVelkorId, QStringLiteral("G-K1"));
    QCOMPARE(g.status, QStringLiteral("Стабильно"));
    QCOMPARE(g.lastConnection, QStringLiteral("2026-12-01 10:00"));
    const KktInfo k = state->getKktInfo();
    QCOMPARE(k.kktSerial, device);
    QCOMPARE(k.modelName, QStringLiteral("Модель K1"));
    QCOMPARE(k.kktInn, QStringLiteral("INNK1"));
    QCOMPARE(k.shiftState, QStringLiteral("Открыта"));
    const LmInfo l = state->getLmInfo();
    QCOMPARE(l.status, QStringLiteral("Готов к работе"));
    QCOMPARE(l.version, QStringLiteral("lm-K1"));
    QCOMPARE(l.lastSync, QString());
    QCOMPARE(l.address, QStringLiteral("host-K1:80"));
    const SoftwareInfo s = state->getSoftwareInfo();
    QCOMPARE(s.status, QStringLiteral("нет связи K1"));
    QCOMPARE(s.name, QStringLiteral("Касса"));
    QCOMPARE(s.version, QStringLiteral("3.1"));
}

void ApplicationStateTest::failedTorvoStatusKeepsUpdateFields()
{
    scriptDevice(server, QStringLiteral("T1"));
    server.setJson(QStringLiteral("GET"), kktList, kktListBody({QStringLiteral("T1")}));
    select(QStringLiteral("T1"));
    QVERIFY(state->getTorvoInfo().registered);

    server.setJson(QStringLiteral("GET"), torvoPath(QStringLiteral("T1")), "{}", 500);
    log.mark();
    QSignalSpy torvo(state, &ApplicationState::torvoStatusChanged);
    QSignalSpy gismt(state, &ApplicationState::gismtStatusChanged);
    state->refreshTorvoStatus();
    QVERIFY(torvo.wait());
    QCOMPARE(gismt.count(), 1);
    const TorvoInfo t = state->getTorvoInfo();
    QVERIFY(!t.registered);
    QVERIFY(t.state.isEmpty() && t.velkorId.isEmpty() && t.version.isEmpty());
    QVERIFY(state->getGismtInfo().gismtVelkorId.isEmpty());
    QVERIFY(t.hasUpdate);
    QCOMPARE(t.updatePackage, QStringLiteral("torvo"));
    QCOMPARE(t.updateVersion, QStringLiteral("2.1"));
    const QString line =
        log.messages().filter(QStringLiteral("Обработка ответа на запрос статуса Torvo")).value(0);
    QVERIFY2(
        line.startsWith(QStringLiteral("Обработка ответа на запрос статуса Torvo: error: `Ошибка сети: ")) &&
            line.endsWith(QLatin1Char('`')),
        qPrintable(line));
}

void ApplicationStateTest::failedLmSettingsEmptiesAddress()
{
    scriptDevice(server, QStringLiteral("L1"));
    select(QStringLiteral("L1"));
    QCOMPARE(state->getLmInfo().address, QStringLiteral("host-L1:80"));
    const QString status = state->getLmInfo().status;

    server.setJson(QStringLiteral("GET"), lmSettingsPath(QStringLiteral("L1")), R"({"address":"h"})");
    QSignalSpy lm(state, &ApplicationState::lmStatusChanged);
    state->refreshLmSettings();
    QVERIFY(lm.wait());
    QCOMPARE(state->getLmInfo().address, QString());
    QCOMPARE(state->getLmInfo().status, status);
}

void ApplicationStateTest::serviceInstanceHasNoRegister()
{
    scriptDevice(server, QStringLiteral("K2"));
    server.setJson(QStringLiteral("GET"), kktList, kktListBody({QStringLiteral("K2")}));
    select(QStringLiteral("K2"));
    QCOMPARE(state->getKktInfo().kktSerial, QStringLiteral("K2"));

    scriptDevice(server, QStringLiteral("instance-7"));
    select(QStringLiteral("instance-7"));
    const KktInfo k = state->getKktInfo();
    QVERIFY(k.modelName.isEmpty() && k.kktSerial.isEmpty() && k.fnSerial.isEmpty() && k.kktRnm.isEmpty() &&
            k.kktInn.isEmpty() && k.shiftState.isEmpty());
}

void ApplicationStateTest::listsFailingAtStartup()
{
    state->addDevices({QStringLiteral("old")});
    state->setCurrentDevice(QString());
    server.clearRequests();
    log.mark();
    QSignalSpy changed(state, &ApplicationState::deviceListChanged);
    QSignalSpy deviceChanged(state, &ApplicationState::deviceChanged);
    state->refreshDeviceList(); // nothing scripted: both lists answer 404
    QVERIFY(idle());
    QCOMPARE(changed.count(), 1); // the clear only
    QVERIFY(state->getDevices().isEmpty());
    QCOMPARE(deviceChanged.count(), 0);
    QCOMPARE(server.requestCount(), 2);
    QCOMPARE(log.count(QStringLiteral("Обработка ответа на запрос списка ККТ: error: `Ошибка сети: ")), 1);
    QCOMPARE(log.count(QStringLiteral("Обработка ответа на запрос списка Torvo: error: `Ошибка сети: ")), 1);
    QVERIFY(!log.contains(QStringLiteral("Добавлено устройство")));
}

void ApplicationStateTest::listsAddedAsTheyArrive_data()
{
    QTest::addColumn<bool>("registersLast");
    QTest::addColumn<bool>("slowHangs");
    QTest::newRow("registers answer first") << false << false;
    QTest::newRow("registers answer last") << true << false;
    QTest::newRow("instances hang") << false << true;
}

void ApplicationStateTest::listsAddedAsTheyArrive()
{
    // The list is cleared at once and each list adds its devices as it arrives: a list that
    // hangs holds nothing back.
    QFETCH(bool, registersLast);
    QFETCH(bool, slowHangs);
    state->addDevices({QStringLiteral("R1")});
    TestServer::Reply registers;
    registers.body = kktListBody({QStringLiteral("R1"), QStringLiteral("shared")});
    TestServer::Reply instances;
    instances.body = R"({"instances":[{"id":"I1"},{"id":"shared"}]})";
    TestServer::Reply& slow = registersLast ? registers : instances;
    slow.delayMs = 300;
    slow.action = slowHangs ? TestServer::Action::Hang : TestServer::Action::Answer;
    server.setReply(QStringLiteral("GET"), kktList, registers);
    server.setReply(QStringLiteral("GET"), torvoList, instances);
    QSignalSpy changed(state, &ApplicationState::deviceListChanged);
    state->refreshDeviceList();
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.first().first().toStringList().isEmpty());

    const QStringList first = registersLast ? QStringList{QStringLiteral("I1"), QStringLiteral("shared")}
                                            : QStringList{QStringLiteral("R1"), QStringLiteral("shared")};
    QTRY_COMPARE(state->getDevices(), first);
    if (slowHangs) {
        QCOMPARE(state->findChildren<RequestTorvoList*>().size(), 1);
        return;
    }
    QVERIFY(idle());
    QCOMPARE(state->getDevices(),
             first + QStringList(registersLast ? QStringLiteral("R1") : QStringLiteral("I1")));
    QCOMPARE(changed.count(), 3);
    QCOMPARE(log.count(QStringLiteral("Добавлено устройство: shared")), 1);
}

void ApplicationStateTest::previousDeviceNeverReachesRecords_data()
{
    QTest::addColumn<int>("oldStatus");
    QTest::newRow("late success") << 200;
    QTest::newRow("late error") << 500;
}

void ApplicationStateTest::previousDeviceNeverReachesRecords()
{
    QFETCH(int, oldStatus);
    const QString oldDevice = QStringLiteral("OLD-%1").arg(oldStatus);
    scriptDevice(server, oldDevice);
    scriptDevice(server, QStringLiteral("NEW"), 300);
    server.setJson(QStringLiteral("GET"), kktList, kktListBody({oldDevice, QStringLiteral("NEW")}));
    select(oldDevice);
    QVERIFY(state->getTorvoInfo().registered);

    // The old device's replies are slow now; the new one is picked while they are on the wire.
    TestServer::Reply slow;
    slow.status = oldStatus;
    slow.body = R"({"state":"Зарегистрирован","regData":{"velkorId":"V-late"}})";
    slow.delayMs = 200;
    server.setReply(QStringLiteral("GET"), torvoPath(oldDevice), slow);
    state->refreshInfo();
    QSignalSpy torvo(state, &ApplicationState::torvoStatusChanged);
    state->setCurrentDevice(QStringLiteral("NEW"));

    // Everything read for the old device is gone at once, before the new one's replies.
    QCOMPARE(torvo.count(), 1);
    QVERIFY(!state->getTorvoInfo().registered);
    QVERIFY(state->getKktInfo().kktSerial.isEmpty() && state->getKktInfo().kktInn.isEmpty());
    QVERIFY(state->getLmInfo().address.isEmpty() && state->getGismtInfo().gismtVelkorId.isEmpty());
    QVERIFY(log.contains(QStringLiteral("Отменено незавершённых запросов: 6")));

    QVERIFY(idle());
    QCOMPARE(state->getTorvoInfo().velkorId, QStringLiteral("V-NEW"));
    QCOMPARE(state->getKktInfo().kktSerial, QStringLiteral("NEW"));
    QVERIFY(!log.contains(QStringLiteral("V-late")));
}

void ApplicationStateTest::hungRoundFreesConnections_data()
{
    QTest::addColumn<bool>("newRound");
    QTest::addColumn<int>("timeLimit");
    // Ended by the time limit, each with its error.
    QTest::newRow("time limit") << false << 2000;
    // Ended by the next round long before the limit.
    QTest::newRow("next round") << true << 600000;
}

void ApplicationStateTest::hungRoundFreesConnections()
{
    QFETCH(bool, newRound);
    QFETCH(int, timeLimit);
    NetworkManager::getInstance()->setTimeLimitOverride(timeLimit);
    const QString device = QStringLiteral("HUNG-%1").arg(newRound);
    TestServer::Reply hang;
    hang.action = TestServer::Action::Hang;
    for (const QString& path : {statusPath(device), lmPath(device), torvoPath(device), kktList,
                                lmSettingsPath(device), updatePath(device)}) {
        server.setReply(QStringLiteral("GET"), path, hang);
    }
    state->setCurrentDevice(device);
    // Six requests hold every connection Qt opens to one host.
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(), 6, 20000);
    scriptDevice(server, device);
    server.setJson(QStringLiteral("GET"), kktList, kktListBody({device}));
    server.setJson(QStringLiteral("GET"), torvoList, R"({"instances":[{"id":"I9"}]})");
    if (newRound) {
        state->refreshInfo();
    }
    // The operator's next request must not wait behind them for good (its own limit is roomy).
    NetworkManager::getInstance()->setTimeLimitOverride(60000);
    state->refreshDeviceList();
    QTRY_COMPARE_WITH_TIMEOUT(server.requests(QStringLiteral("GET"), torvoList).size(), 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(state->findChildren<BaseReply*>().size(), 0, 20000);
    if (!newRound) {
        QCOMPARE(
            log.count(QStringLiteral("Обработка ответа на запрос статуса ЛМ: error: `Нет ответа от службы "
                                     "Torvo за 2 с`")),
            1);
        QVERIFY(state->getLmInfo().version.isEmpty());
    } else {
        QCOMPARE(state->getLmInfo().version, QStringLiteral("lm-") + device);
    }
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    server.releaseHanging();
}

void ApplicationStateTest::serviceProblemFollowsTheLists_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("problem"); // the start of the header line; empty: none
    QTest::addColumn<bool>("alone");      // the instance list fails while the registers answer

    const int answer = int(TestServer::Action::Answer);
    // The line names the address it tried, so a wrong port shows.
    const QString down =
        QStringLiteral("Служба Torvo недоступна (127.0.0.1:%1): нет соединения (в ").arg(server.port());
    QTest::newRow("connection reset")
        << int(TestServer::Action::Drop) << 200 << QByteArray() << down << false;
    QTest::newRow("closed mid-reply")
        << int(TestServer::Action::Drop) << 200 << QByteArray(R"({"kkt":[)") << down << false;
    // The service is there but cannot give a list: which one, and what went wrong, in words.
    const QString registers = QStringLiteral("Не удалось получить список касс: ");
    QTest::newRow("server error") << answer << 500 << QByteArray("{}")
                                  << registers + QStringLiteral("служба Torvo ответила ошибкой 500 (в ")
                                  << false;
    QTest::newRow("no answer in time")
        << int(TestServer::Action::Hang) << 200 << QByteArray()
        << registers + QStringLiteral("нет ответа от службы Torvo за 0.3 с") << false;
    QTest::newRow("not JSON") << answer << 200 << QByteArray("<html/>")
                              << registers + QStringLiteral("ответ службы Torvo не удалось прочитать")
                              << false;
    QTest::newRow("instance list fails alone")
        << answer << 500 << QByteArray("{}")
        << QStringLiteral("Не удалось получить список экземпляров Torvo: служба Torvo ответила ошибкой 500")
        << true;
    // The service answered: with nothing to select, and the line says so.
    QTest::newRow("empty lists") << answer << 200 << QByteArray(R"({"kkt":[],"instances":[]})")
                                 << QStringLiteral(
                                        "Служба Torvo не сообщила ни одного устройства: Нет доступных "
                                        "ККТ; Нет зарегистрированных Torvo")
                                 << false;
}

void ApplicationStateTest::serviceProblemFollowsTheLists()
{
    QFETCH(int, action);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, problem);
    QFETCH(bool, alone);
    TestServer::Reply good;
    good.body = R"({"kkt":[{"kktSerial":"P1"}],"instances":[{"id":"P2"}]})";
    auto answerLists = [this](const TestServer::Reply& registers, const TestServer::Reply& instances) {
        server.setReply(QStringLiteral("GET"), kktList, registers);
        server.setReply(QStringLiteral("GET"), torvoList, instances);
        state->refreshDeviceList();
        QVERIFY(idle());
    };
    answerLists(good, good);
    QCOMPARE(state->getServiceProblem().text(), QString());

    QSignalSpy changed(state, &ApplicationState::serviceProblemChanged);
    TestServer::Reply fault;
    fault.action = TestServer::Action(action);
    fault.status = status;
    fault.body = body;
    if (fault.action == TestServer::Action::Hang) {
        NetworkManager::getInstance()->setTimeLimitOverride(300);
    }
    // Alone, the registers answer last: their answer does not take the instances' line away.
    TestServer::Reply lateGood = good;
    lateGood.delayMs = 200;
    answerLists(alone ? lateGood : fault, fault);
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    const QString line = state->getServiceProblem().text();
    QVERIFY2(problem.isEmpty() ? line.isEmpty() : line.startsWith(problem), qPrintable(line));
    if (alone) {
        QCOMPARE(state->getDevices(), QStringList(QStringLiteral("P1")));
    }
    // The next answer takes the line away again.
    answerLists(good, good);
    QCOMPARE(state->getServiceProblem().text(), QString());
    if (problem.isEmpty()) {
        QCOMPARE(changed.count(), 0);
    } else {
        // Each failing list names its own address, so the line may change once per list.
        QVERIFY(changed.count() >= 2);
        QCOMPARE(changed.last().first().value<ServiceProblem>().kind, ServiceProblem::None);
    }
    server.releaseHanging();
}

QTEST_GUILESS_MAIN(ApplicationStateTest)
#include "tst_applicationstate.moc"
