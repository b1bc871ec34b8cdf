// The one course of every exchange over real sockets: exactly one outcome, logged and released
// once; late outcomes of another device dropped; a cut-off body never read; cancel. Every
// fault of the service against every kind of request is tst_hostileservice.
#include "network/NetworkManager.h"
#include "network/RequestLMSettingsUpdate.h"
#include "network/RequestLimits.h"
#include "network/RequestNotificationsCount.h"
#include "network/RequestRegistration.h"
#include "network/RequestSaveLogs.h"
#include "network/RequestSender.h"
#include "network/RequestSetupTorvo.h"
#include "network/RequestStartTorvo.h"
#include "network/RequestUpgradeTorvo.h"

#include "RequestTestCase.h"

#include <QNetworkReply>
#include <QtTest>

namespace {

const QString device = QStringLiteral("K1");
const QString countPath = QStringLiteral("/api/v1/notifications/K1");
const int testLimitMs = 400;

struct Outcomes
{
    int successes = 0;
    QStringList errors;
    int total() const { return successes + errors.size(); }
};

} // namespace

class RequestSenderTest : public RequestTestCase
{
    Q_OBJECT

private slots:
    void cleanup();
    void oneOutcomeLoggedAndReleased_data();
    void oneOutcomeLoggedAndReleased();
    void cutOffBodyIsNotRead();
    void cancelRunsNoHandler();
    void longActionsGetTheLongLimit();

private:
    RequestNotificationsCount* sendCount(Outcomes& outcomes, const QString& sentFor, const QString* selected);
};

// Every request ends by itself, by its outcome or its time limit, before its owner goes.
void RequestSenderTest::cleanup()
{
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    server.releaseHanging();
    QTRY_COMPARE(BaseReply::liveCount(), 0);
    RequestTestCase::cleanup();
}

RequestNotificationsCount* RequestSenderTest::sendCount(Outcomes& outcomes, const QString& sentFor,
                                                        const QString* selected)
{
    auto* request = new RequestNotificationsCount(owner);
    request->setDevice(sentFor);
    const QString subject = QStringLiteral("проверки");
    const RequestCourse course =
        selected ? RequestCourse::forSelection(owner, subject, sentFor, [selected] { return *selected; })
                 : RequestCourse::keepingDevice(owner, subject, sentFor);
    return RequestSender::send<RequestNotificationsCount>(
        request, course, [&outcomes](RequestNotificationsCount*) { ++outcomes.successes; },
        [&outcomes](const QString& message) { outcomes.errors << message; });
}

void RequestSenderTest::oneOutcomeLoggedAndReleased_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("selectedAtReply");
    QTest::addColumn<int>("handled");
    QTest::addColumn<QString>("line");

    const QString success = QStringLiteral("Обработка ответа на запрос проверки: success");
    const QString failure = QStringLiteral("Обработка ответа на запрос проверки: error: `Ошибка сети: ");
    const QString dropped = QStringLiteral("Ответ на запрос проверки для устройства K1 пропущен: "
                                           "выбрано устройство K2");
    QTest::newRow("success") << 200 << device << 1 << success;
    QTest::newRow("error") << 500 << device << 1 << failure;
    QTest::newRow("success for another device") << 200 << QStringLiteral("K2") << 0 << dropped;
    QTest::newRow("error for another device") << 500 << QStringLiteral("K2") << 0 << dropped;
}

void RequestSenderTest::oneOutcomeLoggedAndReleased()
{
    QFETCH(int, status);
    QFETCH(QString, selectedAtReply);
    QFETCH(int, handled);
    QFETCH(QString, line);

    TestServer::Reply reply;
    reply.status = status;
    reply.body = R"({"unreadNotificationsCount":2})";
    reply.delayMs = 100;
    server.setReply(QStringLiteral("GET"), countPath, reply);
    QString selected = device;
    Outcomes outcomes;
    QPointer<RequestNotificationsCount> request = sendCount(outcomes, device, &selected);
    // The selection moves while the reply is on the wire.
    selected = selectedAtReply;
    QTRY_VERIFY(request.isNull());
    QCOMPARE(outcomes.total(), handled);
    QCOMPARE(log.messages().filter(line).size(), 1);
    QCOMPARE(log.count(QStringLiteral("Обработка ответа на запрос проверки")), 1);
}

void RequestSenderTest::cutOffBodyIsNotRead()
{
    // An error reply whose body would carry the service's words, cut off before it ends.
    NetworkManager::getInstance()->setTimeLimitOverride(testLimitMs);
    TestServer::Reply reply;
    reply.action = TestServer::Action::Stream;
    reply.status = 400;
    reply.body = R"({"error":{"text":"обрывок"}})";
    reply.delayMs = 50;
    server.setReply(QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/lm/K1"), reply);
    auto* request = new RequestLMSettingsUpdate(owner);
    request->setDevice(device);
    request->setPort(QStringLiteral("80"));
    QStringList errors;
    RequestSender::send<RequestLMSettingsUpdate>(
        request, RequestCourse::keepingDevice(owner, QString(), device), nullptr,
        [&errors](const QString& message) { errors << message; });
    QTRY_COMPARE(errors.size(), 1);
    QCOMPARE(errors.first(), RequestLimits::timeLimitText(testLimitMs));
}

void RequestSenderTest::cancelRunsNoHandler()
{
    TestServer::Reply hang;
    hang.action = TestServer::Action::Hang;
    server.setReply(QStringLiteral("GET"), countPath, hang);
    Outcomes outcomes;
    QPointer<RequestNotificationsCount> request = sendCount(outcomes, device, nullptr);
    QTRY_COMPARE(server.requestCount(), 1);
    QTRY_COMPARE(liveReplies(), 1);
    RequestSender::cancel(request);
    QTRY_VERIFY(request.isNull());
    // The reply is aborted at once, not left to hold a connection until the limit.
    QTRY_COMPARE(liveReplies(), 0);
    QCOMPARE(outcomes.total(), 0);
    QVERIFY(!log.contains(QStringLiteral("Обработка ответа на запрос проверки")));
}

void RequestSenderTest::longActionsGetTheLongLimit()
{
    const QList<BaseReply*> longOnes{new RequestRegistration(owner), new RequestSetupTorvo(owner),
                                     new RequestStartTorvo(owner), new RequestUpgradeTorvo(owner),
                                     new RequestSaveLogs(owner)};
    for (BaseReply* request : longOnes) {
        QCOMPARE(request->getTimeLimit(), RequestLimits::longMs);
    }
    QCOMPARE(RequestNotificationsCount(owner).getTimeLimit(), RequestLimits::quickMs);
    QCOMPARE(RequestLimits::timeLimitText(30000), QStringLiteral("Нет ответа от службы Torvo за 30 с"));
    qDeleteAll(longOnes);
}

QTEST_GUILESS_MAIN(RequestSenderTest)
#include "tst_requestsender.moc"
