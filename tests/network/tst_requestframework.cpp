// The request framework over real sockets: sending, the one signal per reply, logging, lifetimes.
#include "network/BaseReply.h"
#include "network/NetworkManager.h"

#include "RequestTestCase.h"

#include <QBuffer>
#include <QNetworkReply>
#include <QPointer>
#include <QTcpServer>
#include <QtTest>

namespace {

// A request of any method to any path of the test server; records the object it read.
class ProbeRequest : public BaseReply
{
public:
    ProbeRequest(QObject* parent, const QString& verb, const QString& fullUrl, const QByteArray& data = {})
        : BaseReply(parent)
        , body(data)
    {
        method = verb;
        url = fullUrl;
    }
    QNetworkRequest createRequest() const override { return buildRequest(url, guiAgent); }
    QByteArray createRequestData() const override { return body; }
    void processReply(QNetworkReply* reply) override { processJsonReply(reply); }
    QString readJson(const QJsonObject& object) override
    {
        readObject = object;
        return QString();
    }

    QByteArray body;
    QJsonObject readObject;
};

} // namespace

class RequestFrameworkTest : public RequestTestCase
{
    Q_OBJECT

private slots:
    void getIsLoggedWithTrailingSpace();
    void methodsReachServer_data();
    void methodsReachServer();
    void unknownMethodIsNotSent();
    void nullRequestIsLogged();
    void outcomes_data();
    void outcomes();
    void refusedConnection();
    void jsonArrayIsAnEmptyObject();
    void deletedRequestRunsNoHandler();
    void abandonedRequestReleasesItsConnection();
    void customVerbBufferDiesWithReply();
    void deviceSegment_data();
    void deviceSegment();
    void deviceSegmentOverTheWire();

private:
    ProbeRequest* send(const QString& verb, const QString& path, const QByteArray& body = {});
};

ProbeRequest* RequestFrameworkTest::send(const QString& verb, const QString& path, const QByteArray& body)
{
    auto* request = new ProbeRequest(owner, verb, server.baseUrl() + path, body);
    NetworkManager::getInstance()->executeRequest(request);
    return request;
}

void RequestFrameworkTest::getIsLoggedWithTrailingSpace()
{
    server.setJson(QStringLiteral("GET"), QStringLiteral("/api/v1/x"), "{}");
    ProbeRequest* request = send(QStringLiteral("GET"), QStringLiteral("/api/v1/x"));
    QSignalSpy success(request, &BaseReply::success);
    QVERIFY(success.wait());
    const QString expected =
        QStringLiteral("Отправляем запрос GET to ") + server.baseUrl() + QStringLiteral("/api/v1/x ");
    QVERIFY2(log.messages().contains(expected), qPrintable(log.messages().join('\n')));
    QVERIFY(log.messages().contains(QStringLiteral("Ответ сервера:{}")));
}

void RequestFrameworkTest::methodsReachServer_data()
{
    QTest::addColumn<QString>("verb");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("received");
    QTest::newRow("GET sends no body") << QStringLiteral("GET") << QByteArray("{\"a\":1}") << QByteArray();
    QTest::newRow("POST") << QStringLiteral("POST") << QByteArray("{\"a\":1}") << QByteArray("{\"a\":1}");
    QTest::newRow("PUT") << QStringLiteral("PUT") << QByteArray("{\"b\":2}") << QByteArray("{\"b\":2}");
    QTest::newRow("DELETE with body")
        << QStringLiteral("DELETE") << QByteArray("{\"id\":[1]}") << QByteArray("{\"id\":[1]}");
    QTest::newRow("PATCH with body") << QStringLiteral("PATCH") << QByteArray("{\"id\":[2,3]}")
                                     << QByteArray("{\"id\":[2,3]}");
}

void RequestFrameworkTest::methodsReachServer()
{
    QFETCH(QString, verb);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, received);
    server.setJson(verb, QStringLiteral("/api/v1/m"), "{\"ok\":true}");
    ProbeRequest* request = send(verb, QStringLiteral("/api/v1/m"), body);
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    QVERIFY(success.wait());
    QCOMPARE(error.count(), 0);
    QCOMPARE(success.count(), 1);
    QCOMPARE(success.first().first().value<BaseReply*>(), request);

    const TestServer::Request seen = server.lastRequest();
    QCOMPARE(seen.method, verb);
    QCOMPARE(seen.body, received);
    QCOMPARE(seen.headers.value("User-Agent"), QByteArray("Torvo-GUI/1.0"));
    QCOMPARE(seen.headers.value("Content-Type"), QByteArray("application/json"));
    QCOMPARE(request->readObject.value(QStringLiteral("ok")).toBool(), true);
}

void RequestFrameworkTest::unknownMethodIsNotSent()
{
    server.setJson(QStringLiteral("GET"), QStringLiteral("/api/v1/y"), "{}");
    ProbeRequest* refused = send(QStringLiteral("get"), QStringLiteral("/api/v1/y"));
    QSignalSpy refusedSuccess(refused, &BaseReply::success);
    QSignalSpy refusedError(refused, &BaseReply::error);
    QVERIFY(log.messages().contains(QStringLiteral("Неизвестный метод запроса: get")));
    QVERIFY(log.lines().last().contains(QStringLiteral(" ERROR [GUI] ")));
    // Its caller still gets its one outcome, later, from the event loop.
    QCOMPARE(refusedError.count(), 0);

    ProbeRequest* after = send(QStringLiteral("GET"), QStringLiteral("/api/v1/y"));
    QSignalSpy afterSuccess(after, &BaseReply::success);
    QVERIFY(afterSuccess.wait());
    QCOMPARE(refusedError.count(), 1);
    QCOMPARE(refusedError.first().first().toString(), QStringLiteral("Неизвестный метод запроса: get"));
    QCOMPARE(refusedSuccess.count(), 0);
    QCOMPARE(server.requestCount(), 1);
}

void RequestFrameworkTest::nullRequestIsLogged()
{
    NetworkManager::getInstance()->executeRequest(nullptr);
    QVERIFY(log.lines().last().endsWith(QStringLiteral("ERROR [GUI] Ошибка: пустой запрос")));
}

void RequestFrameworkTest::outcomes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("messagePrefix");
    QTest::addColumn<QString>("logPrefix");
    QTest::addColumn<bool>("bodyRead");
    const int answer = int(TestServer::Action::Answer);
    QTest::newRow("404") << 404 << QByteArray("{\"x\":1}") << answer << QStringLiteral("Ошибка сети: ")
                         << QStringLiteral("Ошибка сети:") << false;
    QTest::newRow("500") << 500 << QByteArray("{}") << answer << QStringLiteral("Ошибка сети: ")
                         << QStringLiteral("Ошибка сети:") << false;
    QTest::newRow("plain text") << 200 << QByteArray("hello") << answer
                                << QStringLiteral("Ошибка парсинга ответа: ")
                                << QStringLiteral("Ошибка парсинга JSON:") << true;
    QTest::newRow("dropped") << 200 << QByteArray() << int(TestServer::Action::Drop)
                             << QStringLiteral("Ошибка сети: ") << QStringLiteral("Ошибка сети:") << false;
}

void RequestFrameworkTest::outcomes()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, action);
    QFETCH(QString, messagePrefix);
    QFETCH(QString, logPrefix);
    QFETCH(bool, bodyRead);
    TestServer::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.action = TestServer::Action(action);
    server.setReply(QStringLiteral("GET"), QStringLiteral("/api/v1/o"), reply);

    ProbeRequest* request = send(QStringLiteral("GET"), QStringLiteral("/api/v1/o"));
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    QVERIFY(error.wait());
    QCOMPARE(error.count(), 1);
    QCOMPARE(success.count(), 0);
    const QString message = error.first().at(0).toString();
    QVERIFY2(message.startsWith(messagePrefix), qPrintable(message));
    QVERIFY(message.size() > messagePrefix.size());
    QCOMPARE(error.first().at(1).value<BaseReply*>(), request);

    const QString errorLine = log.lines().last();
    QVERIFY2(errorLine.contains(QStringLiteral(" ERROR [GUI] ") + logPrefix), qPrintable(errorLine));
    QCOMPARE(log.contains(QStringLiteral("Ответ сервера:")), bodyRead);
}

void RequestFrameworkTest::refusedConnection()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 closedPort = probe.serverPort();
    probe.close();

    auto* request = new ProbeRequest(owner, QStringLiteral("GET"),
                                     QStringLiteral("http://127.0.0.1:%1/api/v1/x").arg(closedPort));
    QSignalSpy success(request, &BaseReply::success);
    QSignalSpy error(request, &BaseReply::error);
    NetworkManager::getInstance()->executeRequest(request);
    QVERIFY(error.wait());
    QCOMPARE(error.count(), 1);
    QCOMPARE(success.count(), 0);
    QVERIFY(error.first().first().toString().startsWith(QStringLiteral("Ошибка сети: ")));
}

void RequestFrameworkTest::jsonArrayIsAnEmptyObject()
{
    server.setJson(QStringLiteral("GET"), QStringLiteral("/api/v1/a"), "[1, 2, 3]");
    ProbeRequest* request = send(QStringLiteral("GET"), QStringLiteral("/api/v1/a"));
    request->readObject.insert(QStringLiteral("stale"), 1);
    QSignalSpy success(request, &BaseReply::success);
    QVERIFY(success.wait());
    QVERIFY(request->readObject.isEmpty());
}

void RequestFrameworkTest::deletedRequestRunsNoHandler()
{
    TestServer::Reply slow;
    slow.body = "{\"late\":true}";
    slow.delayMs = 200;
    server.setReply(QStringLiteral("GET"), QStringLiteral("/api/v1/slow"), slow);

    QPointer<ProbeRequest> request = send(QStringLiteral("GET"), QStringLiteral("/api/v1/slow"));
    QCOMPARE(liveReplies(), 1);
    QTRY_COMPARE(server.requestCount(), 1);
    delete request.data();
    // The reply finishes and is released although nobody processes it.
    QTRY_COMPARE(liveReplies(), 0);
    QVERIFY(!log.contains(QStringLiteral("Ответ сервера:")));
}

void RequestFrameworkTest::abandonedRequestReleasesItsConnection()
{
    TestServer::Reply never;
    never.action = TestServer::Action::Hang;
    server.setReply(QStringLiteral("GET"), QStringLiteral("/api/v1/never"), never);

    QPointer<ProbeRequest> request = send(QStringLiteral("GET"), QStringLiteral("/api/v1/never"));
    QSignalSpy success(request.data(), &BaseReply::success);
    QSignalSpy error(request.data(), &BaseReply::error);
    QTRY_COMPARE(server.requestCount(), 1);
    NetworkManager::getInstance()->abandonRequest(request);
    QTRY_VERIFY(request.isNull());
    // Aborted although the service never answers, released, and nothing was processed.
    QTRY_COMPARE(liveReplies(), 0);
    QCOMPARE(success.count() + error.count(), 0);
    QVERIFY(!log.contains(QStringLiteral("Ошибка сети")));
}

void RequestFrameworkTest::customVerbBufferDiesWithReply()
{
    TestServer::Reply slow;
    slow.body = "{}";
    slow.delayMs = 100;
    server.setReply(QStringLiteral("DELETE"), QStringLiteral("/api/v1/d"), slow);
    ProbeRequest* request = send(QStringLiteral("DELETE"), QStringLiteral("/api/v1/d"), "{\"id\":[7]}");
    const auto buffers = NetworkManager::getInstance()->findChildren<QBuffer*>();
    QCOMPARE(buffers.size(), 1);
    QVERIFY(qobject_cast<QNetworkReply*>(buffers.first()->parent()));
    QSignalSpy success(request, &BaseReply::success);
    QVERIFY(success.wait());
    QTRY_COMPARE(NetworkManager::getInstance()->findChildren<QBuffer*>().size(), 0);
}

void RequestFrameworkTest::deviceSegment_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QByteArray>("segment");
    QTest::newRow("plain serial") << QStringLiteral("0001234567890123") << QByteArray("0001234567890123");
    QTest::newRow("unreserved") << QStringLiteral("Ab-9_.~x") << QByteArray("Ab-9_.~x");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("slash and query") << QStringLiteral("a/b?c") << QByteArray("a%2Fb%3Fc");
    QTest::newRow("hash percent space") << QStringLiteral("a#b%c d") << QByteArray("a%23b%25c%20d");
    QTest::newRow("cyrillic") << QStringLiteral("ккт") << QByteArray("%D0%BA%D0%BA%D1%82");
    // Qt decodes "%2E" and normalises dot segments, so these dots are encoded twice.
    QTest::newRow("dot") << QStringLiteral(".") << QByteArray("%252E");
    QTest::newRow("dot dot") << QStringLiteral("..") << QByteArray("%252E%252E");
    QTest::newRow("three dots stay") << QStringLiteral("...") << QByteArray("...");
}

void RequestFrameworkTest::deviceSegment()
{
    QFETCH(QString, device);
    QFETCH(QByteArray, segment);
    QCOMPARE(BaseReply::encodeDeviceSegment(device), segment);
    const QString url =
        BaseReply::appendDeviceSegment(QStringLiteral("http://127.0.0.1:1/api/v1/status/"), device);
    QCOMPARE(BaseReply::buildRequest(url, BaseReply::guiAgent).url().toEncoded(),
             QByteArray("http://127.0.0.1:1/api/v1/status/") + segment);
}

void RequestFrameworkTest::deviceSegmentOverTheWire()
{
    const QList<QPair<QString, QString>> cases = {
        {QStringLiteral("a/b?c"), QStringLiteral("a/b?c")},
        {QStringLiteral(".."), QStringLiteral("%2E%2E")},
        {QStringLiteral("ккт 1"), QStringLiteral("ккт 1")},
    };
    for (const auto& [device, seenDevice] : cases) {
        const QString url =
            BaseReply::appendDeviceSegment(server.baseUrl() + QStringLiteral("/api/v1/status/"), device);
        auto* request = new ProbeRequest(owner, QStringLiteral("GET"), url);
        QSignalSpy error(request, &BaseReply::error);
        NetworkManager::getInstance()->executeRequest(request);
        QVERIFY(error.wait()); // unscripted: 404
        const TestServer::Request seen = server.lastRequest();
        QCOMPARE(seen.target, QByteArray("/api/v1/status/") + BaseReply::encodeDeviceSegment(device));
        QCOMPARE(seen.path, QStringLiteral("/api/v1/status/") + seenDevice);
    }
}

QTEST_GUILESS_MAIN(RequestFrameworkTest)
#include "tst_requestframework.moc"
