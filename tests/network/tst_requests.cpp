// Every request class over a real socket: what reaches the service, and what comes back.
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

#include "RequestTestCase.h"

#include <QJsonDocument>
#include <QNetworkReply>
#include <QtTest>

#include <functional>

namespace {

using Factory = BaseReply* (*)(QObject*);

const QString device = QStringLiteral("dev-1");
const QByteArray gui = "Torvo-GUI/1.0";
const QByteArray client = "Torvo-Client/1.0";

template <typename T> BaseReply* plain(QObject* parent)
{
    return new T(parent);
}

template <typename T> T* onDevice(QObject* parent)
{
    auto* request = new T(parent);
    request->setDevice(device);
    return request;
}

template <typename T> BaseReply* deviceOnly(QObject* parent)
{
    return onDevice<T>(parent);
}

BaseReply* kktStatus(QObject* parent)
{
    auto* request = new RequestKKTStatus(parent);
    request->setSerial(QStringLiteral("B"));
    return request;
}

BaseReply* registration(QObject* parent)
{
    auto* request = new RequestRegistration(parent);
    request->setId(QStringLiteral("i"));
    request->setKktSerial(QStringLiteral("k"));
    request->setFnSerial(QStringLiteral("f"));
    request->setKktInn(QStringLiteral("007"));
    return request;
}

BaseReply* setup(QObject* parent)
{
    auto* request = new RequestSetupTorvo(parent);
    request->setId(QStringLiteral("KKT-9"));
    return request;
}

BaseReply* upgrade(QObject* parent)
{
    auto* request = onDevice<RequestUpgradeTorvo>(parent);
    request->setPackage(QStringLiteral("torvo.deb"));
    request->setVersionName(QStringLiteral("2.0"));
    return request;
}

BaseReply* settingsUpdate(QObject* parent)
{
    auto* request = onDevice<RequestTorvoSettingsUpdate>(parent);
    request->setCompatibilityMode(true);
    request->setAllowRemoteConnection(false);
    request->setGismtAddress(QStringLiteral("https://g"));
    return request;
}

BaseReply* lmUpdate(QObject* parent)
{
    auto* request = onDevice<RequestLMSettingsUpdate>(parent);
    request->setAddress(QStringLiteral("lm"));
    request->setPort(QStringLiteral("8080"));
    request->setLogin(QStringLiteral("op"));
    request->setPassword(QStringLiteral("old"));
    request->setNewPassword(QStringLiteral("new"));
    return request;
}

BaseReply* serviceLogs(QObject* parent)
{
    auto* request = onDevice<RequestSaveLogs>(parent);
    request->setPath(QStringLiteral("C:/Логи"));
    return request;
}

BaseReply* businessLogs(QObject* parent)
{
    auto* request = onDevice<RequestSaveLogs>(parent);
    request->useBusinessLog();
    request->setPath(QStringLiteral("/tmp"));
    return request;
}

BaseReply* notificationPage(QObject* parent)
{
    auto* request = onDevice<RequestNotificationsList>(parent);
    request->setOffset(20);
    request->setLimit(100);
    return request;
}

BaseReply* markRead(QObject* parent)
{
    auto* request = onDevice<RequestNotificationsMarked>(parent);
    request->setIds({3, 3, 7});
    return request;
}

BaseReply* deleteNone(QObject* parent)
{
    auto* request = onDevice<RequestNotificationsDelete>(parent);
    request->setIds({});
    return request;
}

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson();
}

// One row per request class: how it is sent, a reply it accepts (a body the classes that never
// read their reply cannot parse) and, where it has one, a reply that is its content error.
void addRows(bool contentErrorsOnly)
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("agent");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("readsAnswer");
    QTest::addColumn<QByteArray>("refusal");
    QTest::addColumn<QString>("contentError");
    const QByteArray junk = "<not json";
    const auto row = [contentErrorsOnly,
                      junk](const char* name, Factory make, const char* method, const char* path,
                            const QByteArray& agent, const QByteArray& body, const QByteArray& answer,
                            const QByteArray& refusal = {}, const QString& contentError = {}) {
        if (!contentErrorsOnly || !contentError.isEmpty()) {
            QTest::newRow(name) << make << QString(method) << QString(path) << agent << body << answer
                                << (answer != junk) << refusal << contentError;
        }
    };
    row("KKTList", plain<RequestKKTList>, "GET", "/api/v1/dkktList", gui, {},
        R"({"kkt": [{"kktSerial": "A"}]})", R"({"kkt": []})", QStringLiteral("Нет доступных ККТ"));
    row("TorvoList", plain<RequestTorvoList>, "GET", "/api/v1/instances/info", gui, {},
        R"({"instances": [{"id": "t1"}]})", R"({"instances": {}})",
        QStringLiteral("Нет зарегистрированных Torvo"));
    row("ConnectionStatus", deviceOnly<RequestConnectionStatus>, "GET", "/api/v1/status/dev-1", gui, {},
        "{}");
    row("LMStatus", deviceOnly<RequestLMStatus>, "GET", "/api/v1/instances/lm/dev-1", gui, {},
        R"({"lmStatus": {}})", R"({"version": "2.1"})", QStringLiteral("Не удалось получить статус LM"));
    row("TorvoStatus", deviceOnly<RequestTorvoStatus>, "GET", "/api/v1/instances/info/dev-1", gui, {}, "{}");
    row("KKTStatus", kktStatus, "GET", "/api/v1/dkktList", gui, {}, "{}");
    row("CriticalModule", deviceOnly<RequestCriticalModule>, "GET", "/api/v1/critical/dev-1", gui, {}, "{}");

    row("Registration", registration, "PUT", "/api/v1/velkor", client,
        json({{"id", "i"}, {"kktSerial", "k"}, {"fnSerial", "f"}, {"kktInn", "007"}}), R"({"velkorId": "V"})",
        R"({"id": "x"})", QStringLiteral("Не удалось зарегистрировать Torvo"));
    row("SetupTorvo", setup, "POST", "/api/v1/velkor", client, json({{"id", "KKT-9"}}),
        R"({"id": "i", "serviceState": "Работает"})", R"({"id": "i", "serviceState": "Остановлен"})",
        QStringLiteral("Не удалось запустить Torvo"));
    row("StartTorvo", deviceOnly<RequestStartTorvo>, "POST", "/api/v1/service/start/dev-1", client, {},
        R"({"id": "i", "serviceState": "Работает"})", R"({"serviceState": "Работает"})",
        QStringLiteral("Не удалось запустить Torvo"));
    row("CheckUpgradeTorvo", deviceOnly<RequestCheckUpgradeTorvo>, "GET", "/api/v1/update/dev-1", gui, {},
        "{}");
    row("UpgradeTorvo", upgrade, "POST", "/api/v1/update/dev-1", gui,
        json({{"package", "torvo.deb"}, {"versionName", "2.0"}}), junk);
    row("TorvoSettings", deviceOnly<RequestTorvoSettings>, "GET", "/api/v1/settings/dev-1", gui, {}, "{}");
    row("TorvoSettingsUpdate", settingsUpdate, "PUT", "/api/v1/settings/dev-1", gui,
        json({{"compatibilityMode", true}, {"allowRemoteConnection", false}, {"gismtAddress", "https://g"}}),
        junk);
    row("LMSettings", deviceOnly<RequestLMSettings>, "GET", "/api/v1/settings/lm/dev-1", gui, {},
        R"({"address": "lm", "port": 8080, "login": "op", "password": "pw"})",
        R"({"address": "lm", "port": 8080, "login": "op"})",
        QStringLiteral("Не удалось получить настройки ЛМ"));
    row("LMSettingsUpdate", lmUpdate, "PUT", "/api/v1/settings/lm/dev-1", gui,
        json({{"address", "lm"},
              {"port", 8080},
              {"login", "op"},
              {"password", "old"},
              {"newPassword", "new"}}),
        junk);
    row("SaveLogs service", serviceLogs, "POST", "/api/v1/log/service/dev-1", client,
        json({{"path", "C:/Логи"}}), junk);
    row("SaveLogs business", businessLogs, "POST", "/api/v1/log/business/dev-1", client,
        json({{"path", "/tmp"}}), junk);

    row("NotificationsCount", deviceOnly<RequestNotificationsCount>, "GET", "/api/v1/notifications/dev-1",
        gui, {}, "{}");
    row("NotificationsList", notificationPage, "POST", "/api/v1/notifications/dev-1", gui,
        json({{"offset", 20}, {"count", 100}}), R"({"notifications": []})", R"({"count": 0})",
        QStringLiteral("Не удалось получить список уведомлений"));
    row("NotificationsMarked", markRead, "PATCH", "/api/v1/notifications/dev-1", gui,
        json({{"id", QJsonArray{3, 3, 7}}}), junk);
    row("NotificationsDelete", deleteNone, "DELETE", "/api/v1/notifications/dev-1", gui,
        json({{"id", QJsonArray()}}), junk);
}

// What Qt's HTTP layer and the test server add by themselves; anything else the client set.
const QSet<QByteArray> transportHeaders = {
    "Host",        "Connection",  "Accept-Encoding", "Accept-Language", "Content-Length",
    "REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR",      "LOCAL_PORT"};

} // namespace

Q_DECLARE_METATYPE(Factory)

class RequestsTest : public RequestTestCase
{
    Q_OBJECT

private slots:
    void exchange_data();
    void exchange();
    void contentError_data();
    void contentError();
    void httpError_data();
    void httpError();
};

void RequestsTest::exchange_data()
{
    addRows(false);
}

void RequestsTest::exchange()
{
    QFETCH(Factory, make);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, agent);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, answer);
    QFETCH(bool, readsAnswer);
    server.setJson(method, path, answer);
    BaseReply* request = make(owner);
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    send(request);
    QVERIFY(success.wait());
    QCOMPARE(error.count(), 0);
    QCOMPARE(success.count(), 1);
    QCOMPARE(success.first().first().value<BaseReply*>(), request);
    QCOMPARE(log.contains(QStringLiteral("Ответ сервера:")), readsAnswer);

    QCOMPARE(server.requestCount(), 1);
    const TestServer::Request seen = server.lastRequest();
    QCOMPARE(seen.method, method);
    QCOMPARE(seen.target, path.toUtf8());
    QCOMPARE(seen.headers.value("User-Agent"), agent);
    QCOMPARE(seen.headers.value("Content-Type"), QByteArray("application/json"));
    QStringList ownHeaders;
    for (const QByteArray& name : seen.headers.keys()) {
        if (!transportHeaders.contains(name)) {
            ownHeaders << QString::fromLatin1(name);
        }
    }
    ownHeaders.sort();
    QCOMPARE(ownHeaders, QStringList({"Content-Type", "User-Agent"}));
    // The bytes of Qt's indented writer for the expected object: same keys, same value types.
    QCOMPARE(seen.body, body);
}

void RequestsTest::contentError_data()
{
    addRows(true);
}

void RequestsTest::contentError()
{
    QFETCH(Factory, make);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, refusal);
    QFETCH(QString, contentError);
    server.setJson(method, path, refusal);
    BaseReply* request = send(make(owner));
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    QVERIFY(error.wait());
    QCOMPARE(success.count(), 0);
    QCOMPARE(error.count(), 1);
    QCOMPARE(error.first().at(0).toString(), contentError);
    QCOMPARE(error.first().at(1).value<BaseReply*>(), request);
}

void RequestsTest::httpError_data()
{
    addRows(false);
}

void RequestsTest::httpError()
{
    // An accepted body behind an error status: the status decides.
    QFETCH(Factory, make);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, answer);
    server.setJson(method, path, answer, 500);
    BaseReply* request = send(make(owner));
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    QVERIFY(error.wait());
    QCOMPARE(success.count(), 0);
    QCOMPARE(error.count(), 1);
    const QString message = error.first().at(0).toString();
    QVERIFY2(isNetworkError(message), qPrintable(message));
    // Only the ЛМ settings update looks into a refusal, for the service's own words.
    const bool readsRefusal = qobject_cast<RequestLMSettingsUpdate*>(request) != nullptr;
    QCOMPARE(log.contains(QStringLiteral("Ответ сервера:")), readsRefusal);
}

QTEST_GUILESS_MAIN(RequestsTest)
#include "tst_requests.moc"
