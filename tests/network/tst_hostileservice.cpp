// Every way a service can misbehave, for each kind of request, over real sockets: each exchange
// ends in exactly one outcome, of the right kind, within its time limit, with the memory it
// takes bounded and the event loop turning all the while.
#include "app/Settings.h"
#include "network/NetworkManager.h"
#include "network/RequestKKTList.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestLimits.h"
#include "network/RequestNotificationsList.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSender.h"
#include "network/RequestTorvoStatus.h"

#include "LoopWatch.h"
#include "RequestTestCase.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QTcpServer>
#include <QtTest>

#include <functional>

namespace {

const int limitMs = 1500;
// A loaded two-core machine may deliver the deadline's timer late, never early.
const int lateToleranceMs = 2500;
const int stallBoundMs = 200;
const qint64 memoryBoundBytes = 48 * 1024 * 1024;
const QString device = QStringLiteral("K1");
const QByteArray serviceRefusal = R"({"error": {"text": "Сбой службы"}})";

enum class Fault
{
    Refused,
    NotFound,
    NotFoundWithBody,
    ServerError,
    ServerErrorWithBody,
    NotJson,
    JsonArray,
    DeepNesting,
    Huge,
    Endless,
    NeverAnswers,
    HeadersThenSilence,
    OneBytePerSecond,
    ResetMidBody,
    AnotherDevice
};

enum class Outcome
{
    Success,
    NetworkError, // "Ошибка сети: " and Qt's text
    ParseError,   // "Ошибка парсинга ответа: " and the parser's text
    Text,         // exactly `text`
    TooLarge,
    TooLargeOrLate, // whichever limit an endless body reaches first
    Late,
    Dropped // answered, but for a device no longer selected: no handler runs
};

struct Kind
{
    const char* name;
    QString method;
    QString path;
    bool perDevice;
    bool readsBody;      // a JSON reply is read into the request
    bool readsErrorBody; // an error status may carry the service's own text
    QByteArray goodBody;
    QString arrayText; // the content error for a JSON array, empty when that is success
    std::function<BaseReply*(QObject*)> create;
};

const QList<Kind>& kinds()
{
    static const QList<Kind> list{
        {"status", QStringLiteral("GET"), QStringLiteral("/api/v1/instances/info/K1"), true, true, false,
         R"({"state": "Работает"})", QString(),
         [](QObject* owner) {
             auto* request = new RequestTorvoStatus(owner);
             request->setDevice(device);
             return request;
         }},
        {"list", QStringLiteral("GET"), QStringLiteral("/api/v1/dkktList"), false, true, false,
         R"({"kkt": [{"kktSerial": "K1"}]})", QStringLiteral("Нет доступных ККТ"),
         [](QObject* owner) {
             return new RequestKKTList(owner);
         }},
        {"settings save", QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/lm/K1"), true, false, true,
         "{}", QString(),
         [](QObject* owner) {
             auto* request = new RequestLMSettingsUpdate(owner);
             request->setDevice(device);
             request->setPort(QStringLiteral("6001"));
             return request;
         }},
        {"notification page", QStringLiteral("POST"), QStringLiteral("/api/v1/notifications/K1"), true, true,
         false, R"({"notifications": []})", QStringLiteral("Не удалось получить список уведомлений"),
         [](QObject* owner) {
             auto* request = new RequestNotificationsList(owner);
             request->setDevice(device);
             request->setLimit(20);
             return request;
         }},
        {"log export", QStringLiteral("POST"), QStringLiteral("/api/v1/log/service/K1"), true, false, false,
         "{}", QString(),
         [](QObject* owner) {
             auto* request = new RequestSaveLogs(owner);
             request->setDevice(device);
             request->setPath(QStringLiteral("/tmp"));
             return request;
         }},
    };
    return list;
}

Outcome expectedOutcome(const Kind& kind, Fault fault, QString& text)
{
    switch (fault) {
    case Fault::Refused:
    case Fault::NotFound:
    case Fault::ServerError:
    case Fault::ResetMidBody:
        return Outcome::NetworkError;
    case Fault::NotFoundWithBody:
    case Fault::ServerErrorWithBody:
        text = QStringLiteral("Сбой службы");
        return kind.readsErrorBody ? Outcome::Text : Outcome::NetworkError;
    case Fault::NotJson:
    case Fault::DeepNesting:
        return kind.readsBody ? Outcome::ParseError : Outcome::Success;
    case Fault::JsonArray:
        text = kind.arrayText;
        return kind.readsBody && !text.isEmpty() ? Outcome::Text : Outcome::Success;
    case Fault::Huge:
        return Outcome::TooLarge;
    case Fault::Endless:
        return Outcome::TooLargeOrLate;
    case Fault::NeverAnswers:
    case Fault::HeadersThenSilence:
    case Fault::OneBytePerSecond:
        return Outcome::Late;
    case Fault::AnotherDevice:
        return kind.perDevice ? Outcome::Dropped : Outcome::Success;
    }
    return Outcome::Success;
}

TestServer::Reply replyFor(const Kind& kind, Fault fault)
{
    TestServer::Reply reply;
    switch (fault) {
    case Fault::Refused:
        break;
    case Fault::NotFound:
    case Fault::NotFoundWithBody:
        reply.status = 404;
        reply.body = fault == Fault::NotFound ? QByteArray() : serviceRefusal;
        break;
    case Fault::ServerError:
    case Fault::ServerErrorWithBody:
        reply.status = 500;
        reply.body = fault == Fault::ServerError ? QByteArray() : serviceRefusal;
        break;
    case Fault::NotJson:
        reply.body = "<html><body>502 Bad Gateway</body></html>";
        break;
    case Fault::JsonArray:
        reply.body = "[1, 2, 3]";
        break;
    case Fault::DeepNesting:
        reply.body = QByteArray(100000, '[') + QByteArray(100000, ']');
        break;
    case Fault::Huge:
        reply.action = TestServer::Action::Stream;
        reply.body = QByteArray(64 * 1024, ' ');
        reply.streamBytes = 64 * 1024 * 1024;
        reply.announceLength = true;
        break;
    case Fault::Endless:
        reply.action = TestServer::Action::Stream;
        reply.body = QByteArray(64 * 1024, ' ');
        break;
    case Fault::NeverAnswers:
        reply.action = TestServer::Action::Hang;
        break;
    case Fault::HeadersThenSilence:
        reply.action = TestServer::Action::Silence;
        break;
    case Fault::OneBytePerSecond:
        reply.action = TestServer::Action::Stream;
        reply.body = "{";
        reply.delayMs = 1000;
        break;
    case Fault::ResetMidBody:
        reply.action = TestServer::Action::Drop;
        reply.body = kind.goodBody.left(kind.goodBody.size() / 2);
        break;
    case Fault::AnotherDevice:
        reply.body = kind.goodBody;
        reply.delayMs = 200;
        break;
    }
    return reply;
}

// A port on which nothing listens.
int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

void pointSettingsAt(int port)
{
    QFile file(Settings::getSettingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    file.close();
    Settings::getInstance()->readConfig();
    QCOMPARE(Settings::getInstance()->getPort(), port);
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Outcome)

class HostileServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void oneBoundedOutcome_data();
    void oneBoundedOutcome();

private:
    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
};

void HostileServiceTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
    NetworkManager::getInstance()->setTimeLimitOverride(limitMs);
}

void HostileServiceTest::cleanup()
{
    server.releaseHanging();
    server.clearReplies();
    if (Settings::getInstance()->getPort() != server.port()) {
        pointSettingsAt(server.port());
    }
    QTRY_COMPARE(BaseReply::liveCount(), 0);
    QTRY_COMPARE(liveReplies(), 0);
}

void HostileServiceTest::oneBoundedOutcome_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Fault>("fault");
    const QList<QPair<const char*, Fault>> faults{
        {"refused connection", Fault::Refused},
        {"404", Fault::NotFound},
        {"404 with body", Fault::NotFoundWithBody},
        {"500", Fault::ServerError},
        {"500 with body", Fault::ServerErrorWithBody},
        {"200 not JSON", Fault::NotJson},
        {"200 JSON array", Fault::JsonArray},
        {"200 100000 nested arrays", Fault::DeepNesting},
        {"200 64 MiB", Fault::Huge},
        {"200 endless", Fault::Endless},
        {"never answers", Fault::NeverAnswers},
        {"headers then silence", Fault::HeadersThenSilence},
        {"one byte per second", Fault::OneBytePerSecond},
        {"reset mid-body", Fault::ResetMidBody},
        {"reply for another device", Fault::AnotherDevice},
    };
    for (int kind = 0; kind < kinds().size(); ++kind) {
        for (const auto& fault : faults) {
            QTest::addRow("%s: %s", kinds().at(kind).name, fault.first) << kind << fault.second;
        }
    }
}

void HostileServiceTest::oneBoundedOutcome()
{
    QFETCH(int, kind);
    QFETCH(Fault, fault);
    const Kind& what = kinds().at(kind);
    QString text;
    const Outcome expected = expectedOutcome(what, fault, text);

    if (fault == Fault::Refused) {
        pointSettingsAt(closedPort());
    } else {
        server.setReply(what.method, what.path, replyFor(what, fault));
    }
    QObject owner;
    BaseReply* request = what.create(&owner);
    QSignalSpy successes(request, &BaseReply::success);
    QSignalSpy errors(request, &BaseReply::error);
    QPointer<BaseReply> guard(request);

    QString selected = device;
    const QString subject = QStringLiteral("проверки");
    const RequestCourse course =
        what.perDevice
            ? RequestCourse::forSelection(&owner, subject, device, [&selected] { return selected; })
            : RequestCourse::forService(&owner, subject);
    int handled = 0;
    QStringList handledErrors;
    log.mark();
    LoopWatch watch;
    watch.start();
    QElapsedTimer clock;
    clock.start();
    RequestSender::send<BaseReply>(
        request, course, [&handled](BaseReply*) { ++handled; },
        [&handled, &handledErrors](const QString& message) {
            ++handled;
            handledErrors << message;
        });
    if (fault == Fault::AnotherDevice) {
        selected = QStringLiteral("K2"); // while the answer is on its way
    }

    QTRY_VERIFY_WITH_TIMEOUT(successes.size() + errors.size() > 0, limitMs + lateToleranceMs);
    const qint64 elapsed = clock.elapsed();
    // Released, reply and all: no second outcome can follow.
    QTRY_VERIFY(guard.isNull());
    QTRY_COMPARE(liveReplies(), 0);
    watch.stop();
    QCOMPARE(successes.size() + errors.size(), 1);

    const QString message = errors.isEmpty() ? QString() : errors.first().at(0).toString();
    switch (expected) {
    case Outcome::Success:
        QCOMPARE(successes.size(), 1);
        break;
    case Outcome::NetworkError:
        QVERIFY2(message.startsWith(QStringLiteral("Ошибка сети: ")) && message.size() > 13,
                 qPrintable(message));
        break;
    case Outcome::ParseError:
        QVERIFY2(message.startsWith(QStringLiteral("Ошибка парсинга ответа: ")), qPrintable(message));
        break;
    case Outcome::Text:
        QCOMPARE(message, text);
        break;
    case Outcome::TooLarge:
        QCOMPARE(message, RequestLimits::tooLargeText());
        break;
    case Outcome::TooLargeOrLate:
        QVERIFY2(message == RequestLimits::tooLargeText() || message == RequestLimits::timeLimitText(limitMs),
                 qPrintable(message));
        break;
    case Outcome::Late:
        QCOMPARE(message, RequestLimits::timeLimitText(limitMs));
        // Qt's coarse timers may fire up to 5 % early.
        QVERIFY2(elapsed >= limitMs * 95 / 100, qPrintable(QString::number(elapsed)));
        break;
    case Outcome::Dropped:
        QCOMPARE(successes.size(), 1);
        QVERIFY(log.contains(QStringLiteral("Ответ на запрос проверки для устройства K1 пропущен: "
                                            "выбрано устройство K2")));
        break;
    }
    QCOMPARE(handled, expected == Outcome::Dropped ? 0 : 1);
    QCOMPARE(handledErrors, errors.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY2(elapsed <= limitMs + lateToleranceMs, qPrintable(QString::number(elapsed)));
    QVERIFY2(watch.stallMs() < stallBoundMs, qPrintable(QStringLiteral("%1 ms").arg(watch.stallMs())));
    QVERIFY2(watch.growth() < memoryBoundBytes, qPrintable(QStringLiteral("%1 bytes").arg(watch.growth())));
    qInfo("%s: %lld ms, longest stall %lld ms, memory +%lld KiB",
          qPrintable(message.isEmpty() ? "success" : message), elapsed, watch.stallMs(),
          watch.growth() / 1024);
}

QTEST_GUILESS_MAIN(HostileServiceTest)
#include "tst_hostileservice.moc"
