// The three faults of the request layer, built soundly: no password in gui.log, a device
// identifier that stays one path segment, and no empty error text from the ЛМ settings update.
#include "network/NetworkManager.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestLMSettings.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestUpgradeTorvo.h"

#include "RequestTestCase.h"

#include <QJsonDocument>
#include <QNetworkReply>
#include <QtTest>

namespace {

template <typename T> T* onDevice(QObject* parent)
{
    auto* request = new T(parent);
    request->setDevice(QStringLiteral("dev-1"));
    return request;
}

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson();
}

} // namespace

class RequestFaultsTest : public RequestTestCase
{
    Q_OBJECT

private slots:
    void serviceRefusal_data();
    void serviceRefusal();
    void deviceIsOneSegment_data();
    void deviceIsOneSegment();
    void passwordsStayOutOfLog();
};

void RequestFaultsTest::serviceRefusal_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected"); // empty: the network error text
    QTest::newRow("service text") << QByteArray(R"({"error": {"text": "Неверный пароль ЛМ"}})")
                                  << QStringLiteral("Неверный пароль ЛМ");
    QTest::newRow("text beside other keys")
        << QByteArray(R"({"code": 7, "error": {"text": "Занято", "id": 1}})") << QStringLiteral("Занято");
    QTest::newRow("empty text") << QByteArray(R"({"error": {"text": ""}})") << QString();
    QTest::newRow("text not a string") << QByteArray(R"({"error": {"text": 42}})") << QString();
    QTest::newRow("error is a string") << QByteArray(R"({"error": "boom"})") << QString();
    QTest::newRow("error without text") << QByteArray(R"({"error": {}})") << QString();
    QTest::newRow("no error key") << QByteArray(R"({"text": "x"})") << QString();
    QTest::newRow("empty body") << QByteArray() << QString();
    QTest::newRow("not json") << QByteArray("<html>502</html>") << QString();
}

void RequestFaultsTest::serviceRefusal()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    server.setJson(QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/lm/dev-1"), body, 400);
    auto* request = onDevice<RequestLMSettingsUpdate>(owner);
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    send(request);
    QVERIFY(error.wait());
    QCOMPARE(success.count(), 0);
    QCOMPARE(error.count(), 1);
    const QString message = error.first().at(0).toString();
    if (expected.isEmpty()) {
        QVERIFY2(isNetworkError(message), qPrintable(message));
    } else {
        QCOMPARE(message, expected);
    }
    QVERIFY(!log.contains(QStringLiteral("Ошибка парсинга")));

    // Any other request fails with the network text and keeps the service's words beside it.
    server.setJson(QStringLiteral("POST"), QStringLiteral("/api/v1/update/dev-1"), body, 400);
    auto* upgrade = onDevice<RequestUpgradeTorvo>(owner);
    QSignalSpy upgradeError(upgrade, &BaseReply::error);
    send(upgrade);
    QVERIFY(upgradeError.wait());
    QVERIFY(isNetworkError(upgradeError.first().at(0).toString()));
    QCOMPARE(upgrade->getServiceReason(), expected);
}

void RequestFaultsTest::deviceIsOneSegment_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QString>("path");
    QTest::newRow("slash and query") << QStringLiteral("a/b?c") << QByteArray("/api/v1/critical/a%2Fb%3Fc")
                                     << QStringLiteral("/api/v1/critical/a/b?c");
    QTest::newRow("dot dot") << QStringLiteral("..") << QByteArray("/api/v1/critical/%252E%252E")
                             << QStringLiteral("/api/v1/critical/%2E%2E");
    QTest::newRow("empty") << QString() << QByteArray("/api/v1/critical/")
                           << QStringLiteral("/api/v1/critical/");
}

void RequestFaultsTest::deviceIsOneSegment()
{
    QFETCH(QString, id);
    QFETCH(QByteArray, target);
    QFETCH(QString, path);
    server.setJson(QStringLiteral("GET"), path, "{}");
    auto* request = new RequestCriticalModule(owner);
    request->setDevice(id);
    QCOMPARE(request->getDevice(), id);
    QSignalSpy success(request, &BaseReply::success);
    send(request);
    QVERIFY(success.wait());
    QCOMPARE(server.lastRequest().target, target);
    QCOMPARE(server.lastRequest().path, path);
}

void RequestFaultsTest::passwordsStayOutOfLog()
{
    const QString password = QStringLiteral("Old-Пароль-1");
    const QString newPassword = QStringLiteral("New-Пароль-2");
    const QString served = QStringLiteral("Served-Пароль-3");

    server.setJson(QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/lm/dev-1"),
                   json({{"error", QJsonObject{{"text", "Отказ"}}}, {"password", served}}), 400);
    auto* update = onDevice<RequestLMSettingsUpdate>(owner);
    update->setLogin(QStringLiteral("op"));
    update->setPassword(password);
    update->setNewPassword(newPassword);
    QSignalSpy refused(update, &BaseReply::error);
    send(update);
    QVERIFY(refused.wait());
    QCOMPARE(refused.first().first().toString(), QStringLiteral("Отказ"));

    server.setJson(QStringLiteral("GET"), QStringLiteral("/api/v1/settings/lm/dev-1"),
                   json({{"address", "lm"}, {"port", 1}, {"login", "op"}, {"password", served}}));
    auto* settings = onDevice<RequestLMSettings>(owner);
    QSignalSpy read(settings, &BaseReply::success);
    send(settings);
    QVERIFY(read.wait());

    // The service and the caller get the real values...
    const QJsonObject sent = QJsonDocument::fromJson(server.requests().first().body).object();
    QCOMPARE(sent.value("password").toString(), password);
    QCOMPARE(sent.value("newPassword").toString(), newPassword);
    QCOMPARE(settings->getPassword(), served);

    // ...and gui.log, which did record both bodies, none of them.
    const QString logged = log.messages().join('\n');
    QCOMPARE(log.count(QStringLiteral("Отправляем запрос PUT to ")), 1);
    QCOMPARE(log.count(QStringLiteral("Ответ сервера:")), 2);
    QVERIFY(logged.contains(QStringLiteral("\"login\": \"op\"")));
    // The request body and both reply bodies.
    QCOMPARE(log.count(QStringLiteral("\"password\": \"***\"")), 3);
    QCOMPARE(log.count(QStringLiteral("\"newPassword\": \"***\"")), 1);
    for (const QString& secret : {password, newPassword, served}) {
        QVERIFY2(!logged.contains(secret), qPrintable(secret));
    }
}

QTEST_GUILESS_MAIN(RequestFaultsTest)
#include "tst_requestfaults.moc"
