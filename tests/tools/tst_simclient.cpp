// The client's own request classes against the simulated service, over real loopback sockets.
#include "LocalSimulator.h"

#include "network/NetworkManager.h"
#include "network/RequestCheckUpgradeTorvo.h"
#include "network/RequestConnectionStatus.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestKKTList.h"
#include "network/RequestKKTStatus.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestLMStatus.h"
#include "network/RequestNotificationsCount.h"
#include "network/RequestNotificationsDelete.h"
#include "network/RequestNotificationsList.h"
#include "network/RequestNotificationsMarked.h"
#include "network/RequestRegistration.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestTorvoList.h"
#include "network/RequestTorvoSettings.h"
#include "network/RequestTorvoSettingsUpdate.h"
#include "network/RequestTorvoStatus.h"
#include "network/RequestUpgradeTorvo.h"

#include "TestEnvironment.h"

#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <type_traits>

namespace {

const QString openKkt = QStringLiteral("00106709871234");   // shift open, service not set up
const QString closedKkt = QStringLiteral("00106709875678"); // shift closed, registered
const QString instance = QStringLiteral("torvo-7f3a2c91");

struct Outcome
{
    bool finished = false;
    bool ok = false;
    QString error;
};

} // namespace

class SimClientTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void deviceLists();
    void statusReplies_data();
    void statusReplies();
    void registrationChain();
    void registrationRefused_data();
    void registrationRefused();
    void upgrade_data();
    void upgrade();
    void settingsReadBack();
    void lmSettingsRefused_data();
    void lmSettingsRefused();
    void markReadAndDelete();
    void criticalFlagsMatchTheList();
    void logExport_data();
    void logExport();
    void faults_data();
    void faults();
    void hangingReplyComesWhenReleased();
    void refusesWhileDown();
    void onlyLoopbackIsServed();
    void commandWithoutBody_data();
    void commandWithoutBody();

private:
    template <class R> R* make(const QString& device = QString());
    Outcome run(BaseReply* request, int timeoutMs = 20000);
    QList<NotificationInfo> allNotifications(const QString& device);

    LocalSimulator simulator;
    std::unique_ptr<TestEnvironment> environment;
    QObject* owner = nullptr;
};

void SimClientTest::initTestCase()
{
    QVERIFY(simulator.start());
    environment = std::make_unique<TestEnvironment>(simulator.port());
}

void SimClientTest::init()
{
    owner = new QObject(this);
    simulator.control("POST", "/sim/reset");
}

void SimClientTest::cleanup()
{
    simulator.control("DELETE", "/sim/fault");
    delete owner;
}

template <class R> R* SimClientTest::make(const QString& device)
{
    R* request = new R(owner);
    if constexpr (std::is_base_of<DeviceRequest, R>::value) {
        request->setDevice(device);
    }
    return request;
}

Outcome SimClientTest::run(BaseReply* request, int timeoutMs)
{
    QSignalSpy succeeded(request, &BaseReply::success);
    QSignalSpy failed(request, &BaseReply::error);
    NetworkManager::getInstance()->executeRequest(request);
    Outcome outcome;
    outcome.finished = QTest::qWaitFor([&] { return succeeded.count() + failed.count() > 0; }, timeoutMs);
    outcome.ok = succeeded.count() == 1 && failed.isEmpty();
    if (!failed.isEmpty()) {
        outcome.error = failed.first().first().toString();
    }
    return outcome;
}

QList<NotificationInfo> SimClientTest::allNotifications(const QString& device)
{
    QList<NotificationInfo> all;
    for (;;) {
        auto* list = make<RequestNotificationsList>(device);
        list->setOffset(all.size());
        list->setLimit(100);
        if (!run(list).ok) {
            return {};
        }
        all += list->getNotifications();
        if (list->getNotifications().size() < 100) {
            return all;
        }
    }
}

void SimClientTest::deviceLists()
{
    auto* kkt = make<RequestKKTList>();
    QVERIFY(run(kkt).ok);
    QCOMPARE(kkt->getSerials(), (QStringList{openKkt, closedKkt}));
    auto* instances = make<RequestTorvoList>();
    QVERIFY(run(instances).ok);
    QCOMPARE(instances->getIds(), QStringList{instance});
    QTRY_VERIFY(simulator.sawLine("GET /api/v1/dkktList 200"));
}

void SimClientTest::statusReplies_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("gismt");
    QTest::addColumn<QString>("lm");
    QTest::addColumn<bool>("synced");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QString>("shift");
    QTest::newRow("open shift, not set up") << openKkt << "Неизвестно"
                                            << "Не отконфигурирован" << false << false << "Открыта";
    QTest::newRow("closed shift, registered")
        << closedKkt << "Ошибка авторизации в ГИС МТ: срок действия токена истёк"
        << "Ошибка синхронизации" << true << true << "Закрыта";
    QTest::newRow("instance without register") << instance << "Стабильно"
                                               << "Инициализация" << false << true << "";
}

void SimClientTest::statusReplies()
{
    QFETCH(QString, device);
    auto* connection = make<RequestConnectionStatus>(device);
    QVERIFY(run(connection).ok);
    QTEST(connection->getGismt().status, "gismt");
    auto* lm = make<RequestLMStatus>(device);
    QVERIFY(run(lm).ok);
    QTEST(lm->getStatus(), "lm");
    QTEST(!lm->getLastSync().isEmpty(), "synced");
    auto* torvo = make<RequestTorvoStatus>(device);
    QVERIFY(run(torvo).ok);
    QTEST(torvo->isRegistered(), "registered");
    QCOMPARE(torvo->getVelkorId().isEmpty(), !torvo->isRegistered());
    QVERIFY(!torvo->getVersion().isEmpty());
    auto* kkt = make<RequestKKTStatus>();
    kkt->setSerial(device);
    QVERIFY(run(kkt).ok);
    QTEST(kkt->getKktInfo().shiftState, "shift");
    QCOMPARE(kkt->getKktInfo().kktSerial.isEmpty(), device == instance);
}

void SimClientTest::registrationChain()
{
    auto* setup = make<RequestSetupTorvo>();
    setup->setId(openKkt);
    QVERIFY(run(setup).ok);
    QCOMPARE(setup->getServiceState(), QString("Работает"));
    QCOMPARE(setup->getInstanceId(), openKkt);

    auto* again = make<RequestSetupTorvo>();
    again->setId(openKkt);
    QVERIFY(run(again).error.startsWith("Ошибка сети: ")); // the panel goes on with the start

    auto* start = make<RequestStartTorvo>(openKkt);
    QVERIFY(run(start).ok);
    QCOMPARE(start->getServiceState(), QString("Работает"));

    auto* kkt = make<RequestKKTStatus>();
    kkt->setSerial(openKkt);
    QVERIFY(run(kkt).ok);
    auto* registration = make<RequestRegistration>();
    registration->setId(openKkt);
    registration->setKktSerial(kkt->getKktInfo().kktSerial);
    registration->setFnSerial(kkt->getKktInfo().fnSerial);
    registration->setKktInn(kkt->getKktInfo().kktInn);
    QVERIFY(run(registration).ok);
    QVERIFY(!registration->getVelkorId().isEmpty());

    auto* status = make<RequestTorvoStatus>(openKkt);
    QVERIFY(run(status).ok);
    QVERIFY(status->isRegistered());
    QCOMPARE(status->getVelkorId(), registration->getVelkorId());
    auto* connection = make<RequestConnectionStatus>(openKkt);
    QVERIFY(run(connection).ok);
    QCOMPARE(connection->getLm().status, QString("Стабильно")); // links came up with the service
}

void SimClientTest::registrationRefused_data()
{
    QTest::addColumn<QString>("change"); // "field=value" of the registration or, with "sim:", of the device
    QTest::addColumn<QString>("error");
    const QString refused = QStringLiteral("Не удалось зарегистрировать Torvo");
    QTest::newRow("other register's serial") << "kktSerial=" + closedKkt << refused;
    QTest::newRow("other storage") << "fnSerial=9961440300000000" << refused;
    QTest::newRow("other taxpayer") << "kktInn=7700000000" << refused;
    QTest::newRow("shift closed") << "sim:shiftState=Закрыта"
                                  << "Ошибка сети: ";
    QTest::newRow("service stopped") << "sim:serviceState=Остановлен"
                                     << "Ошибка сети: ";
}

void SimClientTest::registrationRefused()
{
    QFETCH(QString, change);
    QFETCH(QString, error);
    simulator.control("POST", "/sim/device", {{"device", openKkt}, {"serviceState", "Работает"}});
    QJsonObject fields{{"kktSerial", openKkt}, {"fnSerial", "9961440300512345"}, {"kktInn", "7725123456"}};
    const QStringList pair = change.mid(change.startsWith("sim:") ? 4 : 0).split('=');
    if (change.startsWith("sim:")) {
        simulator.control("POST", "/sim/device", {{"device", openKkt}, {pair[0], pair[1]}});
    } else {
        fields.insert(pair[0], pair[1]);
    }
    auto* registration = make<RequestRegistration>();
    registration->setId(openKkt);
    registration->setKktSerial(fields.value("kktSerial").toString());
    registration->setFnSerial(fields.value("fnSerial").toString());
    registration->setKktInn(fields.value("kktInn").toString());
    const Outcome outcome = run(registration);
    QVERIFY(outcome.finished && !outcome.ok);
    QVERIFY2(outcome.error.startsWith(error), qPrintable(outcome.error));

    auto* status = make<RequestTorvoStatus>(openKkt);
    QVERIFY(run(status).ok);
    QVERIFY(!status->isRegistered());
    QVERIFY(status->getVelkorId().isEmpty());
}

void SimClientTest::upgrade_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("queued");
    QTest::newRow("shift closed: at once") << closedKkt << false;
    QTest::newRow("shift open: after closing") << openKkt << true;
}

void SimClientTest::upgrade()
{
    QFETCH(QString, device);
    QFETCH(bool, queued);
    const auto check = [&](bool& available, QString& version) {
        auto* update = make<RequestCheckUpgradeTorvo>(device);
        auto* status = make<RequestTorvoStatus>(device);
        const bool ok = run(update).ok && run(status).ok;
        available = update->hasUpdate();
        version = status->getVersion();
        return ok;
    };
    auto* update = make<RequestCheckUpgradeTorvo>(device);
    QVERIFY(run(update).ok);
    QVERIFY(update->hasUpdate());
    bool available = false;
    QString before;
    QVERIFY(check(available, before));

    auto* upgrade = make<RequestUpgradeTorvo>(device);
    upgrade->setPackage(update->getPackage());
    upgrade->setVersionName(update->getVersionName());
    QVERIFY(run(upgrade).ok);
    QString version;
    QVERIFY(check(available, version));
    QCOMPARE(available, queued);
    QCOMPARE(version, queued ? before : update->getVersionName());

    if (queued) {
        simulator.control("POST", "/sim/device", {{"device", device}, {"shiftState", "Закрыта"}});
        QVERIFY(check(available, version));
        QVERIFY(!available);
        QCOMPARE(version, update->getVersionName());
    }
}

void SimClientTest::settingsReadBack()
{
    auto* write = make<RequestTorvoSettingsUpdate>(openKkt);
    write->setCompatibilityMode(true);
    write->setAllowRemoteConnection(true);
    write->setGismtAddress("https://gismt.example.ru");
    QVERIFY(run(write).ok);
    auto* read = make<RequestTorvoSettings>(openKkt);
    QVERIFY(run(read).ok);
    QVERIFY(read->getCompatibilityMode());
    QVERIFY(read->getAllowRemoteConnection());
    QCOMPARE(read->getGismtAddress(), QString("https://gismt.example.ru"));

    auto* lmWrite = make<RequestLMSettingsUpdate>(openKkt);
    lmWrite->setAddress("192.168.0.15");
    lmWrite->setPort("5996");
    lmWrite->setLogin("operator");
    lmWrite->setPassword("admin");
    lmWrite->setNewPassword("n3w-secret");
    QVERIFY(run(lmWrite).ok);
    auto* lmRead = make<RequestLMSettings>(openKkt);
    QVERIFY(run(lmRead).ok);
    QCOMPARE(lmRead->getAddress(), QString("192.168.0.15"));
    QCOMPARE(lmRead->getPort(), QString("5996"));
    QCOMPARE(lmRead->getLogin(), QString("operator"));
    QCOMPARE(lmRead->getPassword(), QString("n3w-secret"));

    auto* other = make<RequestTorvoSettings>(closedKkt); // settings are per device
    QVERIFY(run(other).ok);
    QCOMPARE(other->getGismtAddress(), QString("https://markirovka.crpt.ru"));
}

void SimClientTest::lmSettingsRefused_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("error");
    QTest::newRow("wrong password") << "Admin"
                                    << "5995"
                                    << "Неверный пароль ЛМ ЧЗ";
    QTest::newRow("port not a number") << "admin"
                                       << "59x"
                                       << "Некорректный порт ЛМ ЧЗ: 0";
}

void SimClientTest::lmSettingsRefused()
{
    QFETCH(QString, password);
    QFETCH(QString, port);
    auto* write = make<RequestLMSettingsUpdate>(closedKkt);
    write->setAddress("10.0.0.1");
    write->setPort(port);
    write->setLogin("other");
    write->setPassword(password);
    QTEST(run(write).error, "error");
    auto* read = make<RequestLMSettings>(closedKkt);
    QVERIFY(run(read).ok);
    QCOMPARE(read->getAddress(), QString("127.0.0.1"));
    QCOMPARE(read->getLogin(), QString("admin"));
}

void SimClientTest::markReadAndDelete()
{
    auto* count = make<RequestNotificationsCount>(closedKkt);
    QVERIFY(run(count).ok);
    const QList<NotificationInfo> before = allNotifications(closedKkt);
    const int unread =
        std::count_if(before.begin(), before.end(), [](const NotificationInfo& n) { return !n.isRead; });
    QCOMPARE(count->getUnreadCount(), unread);
    QVERIFY(unread >= 3);

    QList<int> toMark;
    for (const NotificationInfo& n : before) {
        if (!n.isRead && toMark.size() < 6) {
            toMark << n.id << n.id; // duplicates count once
        }
    }
    auto* mark = make<RequestNotificationsMarked>(closedKkt);
    mark->setIds(toMark);
    QVERIFY(run(mark).ok);
    auto* after = make<RequestNotificationsCount>(closedKkt);
    QVERIFY(run(after).ok);
    QCOMPARE(after->getUnreadCount(), unread - 3);

    const QList<int> doomed{before[0].id, before[19].id, before[20].id, before[150].id, before.last().id};
    auto* remove = make<RequestNotificationsDelete>(closedKkt);
    remove->setIds(doomed);
    QVERIFY(run(remove).ok);
    const QList<NotificationInfo> rest = allNotifications(closedKkt);
    QCOMPARE(rest.size(), before.size() - doomed.size());
    QSet<int> ids;
    for (const NotificationInfo& n : rest) {
        QVERIFY(!doomed.contains(n.id));
        ids.insert(n.id);
        QCOMPARE(n.isRead, n.notificationType == Read);
        QVERIFY(QDateTime::fromString(n.dateTime, Qt::ISODate).isValid());
    }
    QCOMPARE(ids.size(), rest.size()); // no notification on two pages

    auto* first = make<RequestNotificationsList>(closedKkt);
    first->setOffset(0);
    first->setLimit(20);
    QVERIFY(run(first).ok);
    QCOMPARE(first->getNotifications(), rest.mid(0, 20));
}

void SimClientTest::criticalFlagsMatchTheList()
{
    for (const QString& device : {openKkt, closedKkt, instance}) {
        QSet<int> critical;
        for (const NotificationInfo& n : allNotifications(device)) {
            if (n.notificationType == Error) {
                critical.insert(n.notificationModule);
            }
        }
        auto* flags = make<RequestCriticalModule>(device);
        QVERIFY(run(flags).ok);
        QCOMPARE(flags->hasCriticalLdb(), critical.contains(LDB));
        QCOMPARE(flags->hasCriticalGismt(), critical.contains(GISMT));
        QCOMPARE(flags->hasCriticalTorvo(), critical.contains(TORVO));
        QCOMPARE(flags->hasCriticalDkkt(), critical.contains(DKKT));
        QCOMPARE(flags->hasCriticalSoftware(), critical.contains(CLIENT_SOFTWARE));
        auto* count = make<RequestNotificationsCount>(device);
        QVERIFY(run(count).ok);
        QCOMPARE(count->hasCriticalNotifications(), !critical.isEmpty());
    }
}

void SimClientTest::logExport_data()
{
    QTest::addColumn<bool>("business");
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("ok");
    QTest::newRow("service log") << false << "" << true;
    QTest::newRow("business log") << true << "" << true;
    QTest::newRow("missing folder") << false << "/missing" << false;
}

void SimClientTest::logExport()
{
    QFETCH(bool, business);
    QFETCH(QString, subfolder);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    auto* save = make<RequestSaveLogs>(openKkt);
    if (business) {
        save->useBusinessLog();
    }
    save->setPath(dir.path() + subfolder);
    const Outcome outcome = run(save);
    QCOMPARE(outcome.ok, ok);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    if (!ok) {
        QVERIFY(outcome.error.startsWith("Ошибка сети: "));
        QVERIFY(files.isEmpty());
        return;
    }
    QCOMPARE(files.size(), 1);
    QVERIFY(files[0].startsWith(business ? "torvo-business_" + openKkt : "torvo-service_" + openKkt));
    QVERIFY(QFileInfo(dir.filePath(files[0])).size() > 0);
}

void SimClientTest::faults_data()
{
    QTest::addColumn<QJsonObject>("fault");
    QTest::addColumn<QString>("error"); // empty: success
    QTest::addColumn<QString>("line");
    QTest::newRow("500") << QJsonObject{{"path", "/api/v1/dkktList"}, {"status", 500}} << "Ошибка сети: "
                         << "GET /api/v1/dkktList 500 (fault)";
    QTest::newRow("not json") << QJsonObject{{"path", "/api/v1/dkktList"}, {"notJson", true}}
                              << "Ошибка парсинга ответа: "
                              << "GET /api/v1/dkktList 200 (not JSON)";
    QTest::newRow("endless") << QJsonObject{{"path", "/api/v1/dkktList"}, {"endless", true}}
                             << "Ответ службы слишком большой"
                             << "GET /api/v1/dkktList 200 (endless)";
    QTest::newRow("latency") << QJsonObject{{"latency", 150}} << ""
                             << "GET /api/v1/dkktList 200 (+150 ms)";
    QTest::newRow("other method untouched") << QJsonObject{{"method", "PATCH"}, {"status", 500}} << ""
                                            << "GET /api/v1/dkktList 200";
}

void SimClientTest::faults()
{
    QFETCH(QJsonObject, fault);
    QFETCH(QString, error);
    QFETCH(QString, line);
    QVERIFY(simulator.control("POST", "/sim/fault", fault).contains("faults"));
    simulator.clearLines();
    const Outcome outcome = run(make<RequestKKTList>());
    QVERIFY(outcome.finished);
    QVERIFY2(error.isEmpty() ? outcome.ok : outcome.error.startsWith(error), qPrintable(outcome.error));
    QTRY_VERIFY2(simulator.sawLine(line), qPrintable(line));
}

void SimClientTest::hangingReplyComesWhenReleased()
{
    simulator.control("POST", "/sim/fault", {{"path", "/api/v1/status/"}, {"hang", true}});
    auto* hanging = make<RequestConnectionStatus>(closedKkt);
    QSignalSpy succeeded(hanging, &BaseReply::success);
    QSignalSpy failed(hanging, &BaseReply::error);
    NetworkManager::getInstance()->executeRequest(hanging);
    QTRY_VERIFY(simulator.sawLine("GET /api/v1/status/" + closedKkt + " hang"));
    // Other requests go on while one hangs; the hanging one still has no answer after them.
    QVERIFY(run(make<RequestKKTList>()).ok);
    QVERIFY(succeeded.isEmpty() && failed.isEmpty());

    simulator.control("DELETE", "/sim/fault");
    QTRY_COMPARE(succeeded.count(), 1);
    QVERIFY(failed.isEmpty());
    QVERIFY(!hanging->getGismt().status.isEmpty());
}

void SimClientTest::refusesWhileDown()
{
    simulator.control("POST", "/sim/fault", {{"refuse", true}, {"seconds", 3}});
    QTRY_VERIFY(!simulator.isListening());
    const Outcome down = run(make<RequestKKTList>());
    QVERIFY(down.finished);
    QVERIFY2(down.error.startsWith("Ошибка сети: "), qPrintable(down.error));
    QTRY_VERIFY_WITH_TIMEOUT(simulator.isListening(), 20000);
    QVERIFY(run(make<RequestKKTList>()).ok);
}

void SimClientTest::onlyLoopbackIsServed()
{
    QTcpSocket loopback;
    loopback.connectToHost(QHostAddress::LocalHost, simulator.port());
    QVERIFY(loopback.waitForConnected(20000));

    QHostAddress outside;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol) {
            outside = address;
            break;
        }
    }
    if (outside.isNull()) {
        QSKIP("this machine has no address besides loopback");
    }
    QTcpSocket socket;
    QSignalSpy failed(&socket, &QAbstractSocket::errorOccurred);
    socket.connectToHost(outside, simulator.port());
    QVERIFY(failed.wait(20000) || !failed.isEmpty());
    QCOMPARE(socket.error(), QAbstractSocket::ConnectionRefusedError);
    QVERIFY(socket.state() != QAbstractSocket::ConnectedState);
}

void SimClientTest::commandWithoutBody_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("reset") << QByteArray("POST /sim/reset");
    QTest::newRow("notify") << QByteArray("POST /sim/notify");
    QTest::newRow("faults removed") << QByteArray("DELETE /sim/fault");
}

// As curl sends "-X POST" without "-d": no body and no Content-Length.
void SimClientTest::commandWithoutBody()
{
    QFETCH(QByteArray, command);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, simulator.port());
    QVERIFY(socket.waitForConnected(20000));
    socket.write(command + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(socket.canReadLine(), 20000);
    QCOMPARE(socket.readLine().trimmed(), QByteArray("HTTP/1.1 200 OK"));
    QTRY_VERIFY(simulator.sawLine(QString::fromLatin1(command) + QStringLiteral(" 200")));
}

QTEST_GUILESS_MAIN(SimClientTest)
#include "tst_simclient.moc"
