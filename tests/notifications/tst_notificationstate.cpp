// NotificationState against replies served over real sockets: pending flags, the merge, the
// count and summary, the critical flags, mark and delete, and giving up on a hung request.
#include "notifications/NotificationState.h"

#include "app/ApplicationState.h"
#include "network/BaseReply.h"
#include "network/NetworkManager.h"

#include "TestEnvironment.h"
#include "TestServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QTimer>
#include <QtTest>

namespace {

const QString path = QStringLiteral("/api/v1/notifications/");
const QString criticalPath = QStringLiteral("/api/v1/critical/");

QJsonObject wire(int id, const QString& header = QStringLiteral("h"), bool isRead = false,
                 const QString& type = QStringLiteral("INFO"), const QString& module = QStringLiteral("DKKT"))
{
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("header"), header},
                       {QStringLiteral("message"), QStringLiteral("m%1").arg(id)},
                       {QStringLiteral("dateTime"), QStringLiteral("2026-12-08T10:00:00+03:00")},
                       {QStringLiteral("isRead"), isRead},
                       {QStringLiteral("notificationType"), type},
                       {QStringLiteral("notificationModule"), module}};
}

QByteArray page(const QList<QJsonObject>& items)
{
    QJsonArray array;
    for (const QJsonObject& item : items) {
        array.append(item);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("notifications"), array}})
        .toJson(QJsonDocument::Compact);
}

QByteArray count(int unread, bool critical)
{
    return QStringLiteral(R"({"unreadNotificationsCount":%1,"hasCriticalNotifications":%2})")
        .arg(unread)
        .arg(critical ? QStringLiteral("true") : QStringLiteral("false"))
        .toUtf8();
}

int pendingRequests(QObject* owner)
{
    return owner->findChildren<BaseReply*>().size();
}

} // namespace

class NotificationStateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void secondListRequestIsDropped();
    void mergeByPage();
    void countAndSummary();
    void criticalFlags();
    void markClearedIdsCreatesNothing();
    void deleteUnknownIdStillEmits();
    void markAndDeleteFailuresChangeNothing();
    void clearWhileListPending();
    void pageFromBeforeACommandIsAskedAgain();
    void hungRequestIsGivenUp();
    void requestsFollowSelectedDevice();
    void previousDeviceRepliesAreDropped_data();
    void previousDeviceRepliesAreDropped();
    void reloadSupersedesPageInFlight();
    void timerAsksCountThenCritical();
    void summariesFollowMarkAndDelete_data();
    void summariesFollowMarkAndDelete();
    void newsRule_data();
    void newsRule();
    void balloonOncePerChangeOfLevel();

private:
    void loadPage(const QList<QJsonObject>& items);

    TestServer server;
    std::unique_ptr<TestEnvironment> environment;
    LogReader log;
    NotificationState* state = nullptr;
};

void NotificationStateTest::initTestCase()
{
    environment = std::make_unique<TestEnvironment>(server.port());
}

void NotificationStateTest::init()
{
    state = new NotificationState(nullptr);
    server.clearReplies();
    server.clearRequests();
    log.mark();
}

void NotificationStateTest::cleanup()
{
    QTRY_COMPARE(pendingRequests(state), 0);
    delete state;
}

void NotificationStateTest::loadPage(const QList<QJsonObject>& items)
{
    server.setJson(QStringLiteral("POST"), path, page(items));
    state->updateNotificationList(0, 20);
    QTRY_COMPARE(pendingRequests(state), 0);
}

void NotificationStateTest::secondListRequestIsDropped()
{
    TestServer::Reply slow;
    slow.body = page({wire(1)});
    slow.delayMs = 200;
    server.setReply(QStringLiteral("POST"), path, slow);
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->updateNotificationList(0, 20);
    state->updateNotificationList(20, 100);
    QVERIFY(changed.wait());
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(QJsonDocument::fromJson(server.lastRequest().body).object(),
             QJsonObject({{QStringLiteral("offset"), 0}, {QStringLiteral("count"), 20}}));
    QCOMPARE(log.count(QStringLiteral("Запрос обновления списка уведомлений ...")), 1);
    // Once answered, the next call goes out again.
    state->updateNotificationList(1, 100);
    QTRY_COMPARE(server.requestCount(), 2);
}

void NotificationStateTest::mergeByPage()
{
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    loadPage({wire(1), wire(2), wire(3)});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().first().value<NotificationHash>().keys().size(), 3);
    QVERIFY(
        log.contains(QStringLiteral("Обработка ответа на запрос обновления списка уведомлений: success")));

    loadPage({wire(1), wire(2), wire(3)});
    QCOMPARE(changed.count(), 1); // unchanged
    loadPage({});
    QCOMPARE(changed.count(), 1); // empty page

    loadPage({wire(2, QStringLiteral("changed"))});
    QCOMPARE(changed.count(), 2);
    NotificationHash held = changed.last().first().value<NotificationHash>();
    QCOMPARE(held.size(), 3); // pages never remove
    QCOMPARE(held.value(2).header, QStringLiteral("changed"));

    loadPage({wire(4, QStringLiteral("first")), wire(4, QStringLiteral("last"))});
    QCOMPARE(changed.count(), 3);
    held = state->getNotifications();
    QCOMPARE(held.value(4).header, QStringLiteral("last"));
    for (auto it = held.cbegin(); it != held.cend(); ++it) {
        QCOMPARE(it.key(), it.value().id);
    }
}

void NotificationStateTest::countAndSummary()
{
    QSignalSpy countChanged(state, &NotificationState::availableNotificationCountChanged);
    QSignalSpy summary(state, &NotificationState::hasCriticalNotification);
    auto ask = [&](int unread, bool critical) {
        server.setJson(QStringLiteral("GET"), path, count(unread, critical));
        state->updateAvailableNotificationCount();
        QTRY_COMPARE(pendingRequests(state), 0);
    };
    ask(0, false);
    QCOMPARE(countChanged.count(), 0);
    QCOMPARE(summary.count(), 0);
    ask(3, false);
    QCOMPARE(countChanged.count(), 1);
    QCOMPARE(countChanged.last().first().toInt(), 3);
    QCOMPARE(summary.count(), 1);
    QCOMPARE(summary.last().first().value<CriticalNotificationType>(), HasUnread);
    ask(5, false);
    QCOMPARE(countChanged.count(), 2);
    QCOMPARE(summary.count(), 1);
    ask(5, true);
    QCOMPARE(countChanged.count(), 2);
    QCOMPARE(summary.count(), 2);
    QCOMPARE(summary.last().first().value<CriticalNotificationType>(), HasCritical);
    ask(0, true);
    QCOMPARE(summary.count(), 2); // critical whatever the count
    ask(0, false);
    QCOMPARE(summary.last().first().value<CriticalNotificationType>(), NoUnread);

    // A failed count keeps both values and frees the flag.
    server.setJson(QStringLiteral("GET"), path, "{}", 500);
    state->updateAvailableNotificationCount();
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(state->getAvailableNotificationCount(), 0);
    QVERIFY(log.contains(QStringLiteral(
        "Обработка ответа на запрос обновления количества доступных уведомлений: error: `Ошибка сети: ")));
    ask(2, false);
    QCOMPARE(state->getCriticalNotificationType(), HasUnread);
}

void NotificationStateTest::criticalFlags()
{
    QSignalSpy changed(state, &NotificationState::criticalModuleNotificationChanged);
    auto ask = [&](const QByteArray& body) {
        server.setJson(QStringLiteral("GET"), criticalPath, body);
        state->updateCriticalModuleNotification();
        QTRY_COMPARE(pendingRequests(state), 0);
    };
    ask(R"({"hasCriticalLdb":false,"hasCriticalDkkt":false})");
    QCOMPARE(changed.count(), 0);
    ask(R"({"hasCriticalDkkt":true})");
    QCOMPARE(changed.count(), 1);
    const auto flags = changed.last().first().value<CriticalModuleNotification>();
    QVERIFY(flags.hasCriticalDkkt);
    QVERIFY(!flags.hasCriticalLdb && !flags.hasCriticalGismt && !flags.hasCriticalTorvo &&
            !flags.hasCriticalSoftware);
    ask(R"({"hasCriticalDkkt":true})");
    QCOMPARE(changed.count(), 1);
    QVERIFY(log.contains(QStringLiteral(
        "Обработка ответа на запрос обновления информации о критических уведомлениях: success")));
}

void NotificationStateTest::markClearedIdsCreatesNothing()
{
    loadPage({wire(1), wire(2, QStringLiteral("e"), false, QStringLiteral("ERR"))});
    server.setJson(QStringLiteral("PATCH"), path, "{}");
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->markNotificationAsRead({2, 2, 9});
    QVERIFY(changed.wait());
    NotificationHash held = changed.last().first().value<NotificationHash>();
    QCOMPARE(held.size(), 2);
    QVERIFY(held.value(2).isRead);
    QCOMPARE(held.value(2).notificationType, Read);
    QVERIFY(!held.value(1).isRead);
    // The summaries asked for again after the mark may already have reached the server.
    const QList<TestServer::Request> marks = server.requests(QStringLiteral("PATCH"), path);
    QCOMPARE(marks.size(), 1);
    QCOMPARE(QJsonDocument::fromJson(marks.first().body).object().value(QStringLiteral("id")).toArray(),
             QJsonArray({2, 2, 9}));

    state->clearNotifications();
    state->markNotificationAsRead({1});
    QVERIFY(changed.wait());
    QVERIFY(changed.last().first().value<NotificationHash>().isEmpty());
}

void NotificationStateTest::deleteUnknownIdStillEmits()
{
    loadPage({wire(1), wire(2)});
    server.setJson(QStringLiteral("DELETE"), path, "{}");
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->deleteNotification({2, 77});
    QVERIFY(changed.wait());
    QCOMPARE(state->getNotifications().keys(), QList<int>({1}));
    state->deleteNotification({77});
    QVERIFY(changed.wait());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(server.requests(QStringLiteral("DELETE"), path).size(), 2);
}

void NotificationStateTest::markAndDeleteFailuresChangeNothing()
{
    loadPage({wire(1)});
    server.setJson(QStringLiteral("PATCH"), path, "{}", 500);
    server.setJson(QStringLiteral("DELETE"), path, "{}", 404);
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->markNotificationAsRead({1});
    state->deleteNotification({1});
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(changed.count(), 0);
    QVERIFY(!state->getNotifications().value(1).isRead);
    QVERIFY(log.contains(
        QStringLiteral("Обработка ответа на запрос отметки уведомлений как прочитанных: error: `")));
    QVERIFY(log.contains(QStringLiteral("Обработка ответа на запрос удаления уведомлений: error: `")));
    // Each failure is kept for the page until a command of its kind succeeds.
    QVERIFY(state->markRead().error.startsWith(QStringLiteral("Ошибка сети: ")));
    QVERIFY(state->deleteRead().error.startsWith(QStringLiteral("Ошибка сети: ")));
    QCOMPARE(state->deleteRead().httpStatus, 404);
    server.setJson(QStringLiteral("PATCH"), path, "{}");
    state->markNotificationAsRead({1});
    QTRY_VERIFY(!state->markRead().isFailed());
    QVERIFY(state->deleteRead().isFailed());
}

void NotificationStateTest::clearWhileListPending()
{
    loadPage({wire(1)});
    TestServer::Reply slow;
    slow.body = page({wire(5)});
    slow.delayMs = 200;
    server.setReply(QStringLiteral("POST"), path, slow);
    server.clearRequests();
    state->updateNotificationList(0, 20);
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->clearNotifications();
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.first().first().value<NotificationHash>().isEmpty());
    state->updateNotificationList(0, 20); // dropped
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(state->getNotifications().keys(), QList<int>({5}));
}

// The first page read again as a bell is clicked came back after a double click had marked its
// row read, and showed it unread again.
void NotificationStateTest::pageFromBeforeACommandIsAskedAgain()
{
    loadPage({wire(1)});
    TestServer::Reply slow;
    slow.body = page({wire(1)}); // read by the service before the mark
    slow.delayMs = 300;
    server.setReply(QStringLiteral("POST"), path, slow);
    server.setJson(QStringLiteral("PATCH"), path, "{}");
    server.clearRequests();
    state->updateNotificationList(0, 20);
    state->markNotificationAsRead({1});
    QTRY_COMPARE(server.requests(QStringLiteral("PATCH"), path).size(), 1);
    server.setJson(QStringLiteral("POST"), path, page({wire(1, QStringLiteral("h"), true)}));
    QTRY_COMPARE(pendingRequests(state), 0);
    QVERIFY(state->getNotifications().value(1).isRead);
    QCOMPARE(server.requests(QStringLiteral("POST"), path).size(), 2);
}

void NotificationStateTest::hungRequestIsGivenUp()
{
    NetworkManager::getInstance()->setTimeLimitOverride(300);
    TestServer::Reply hang;
    hang.action = TestServer::Action::Hang;
    server.setReply(QStringLiteral("POST"), path, hang);
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    state->updateNotificationList(0, 20);
    QTRY_VERIFY(
        log.contains(QStringLiteral("Обработка ответа на запрос обновления списка уведомлений: error: "
                                    "`Нет ответа от службы Torvo за 0.3 с`")));
    QTRY_COMPARE(pendingRequests(state), 0);
    NetworkManager::getInstance()->setTimeLimitOverride(0);
    // Its connection is given back too: the reply was aborted and released.
    QTRY_COMPARE(NetworkManager::getInstance()->findChildren<QNetworkReply*>().size(), 0);

    // The flag is free again: the next page request goes out and is answered.
    server.setJson(QStringLiteral("POST"), path, page({wire(8)}));
    state->updateNotificationList(0, 20);
    QVERIFY(changed.wait());
    QCOMPARE(server.requestCount(), 2);
    QCOMPARE(state->getNotifications().keys(), QList<int>({8}));
    QCOMPARE(changed.count(), 1);
}

void NotificationStateTest::requestsFollowSelectedDevice()
{
    ApplicationState* application = ApplicationState::getInstance();
    application->setCurrentDevice(QStringLiteral("KKT 1"));
    // Selecting a device sends its status requests and reloads the notifications; let them
    // finish before counting ours.
    QTRY_COMPARE(application->findChildren<BaseReply*>().size(), 0);
    QTRY_COMPARE(pendingRequests(state), 0);
    server.clearRequests();
    server.setJson(QStringLiteral("GET"), path + QStringLiteral("KKT 1"), count(1, false));
    state->updateAvailableNotificationCount();
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.lastRequest().target, QByteArray("/api/v1/notifications/KKT%201"));
    QCOMPARE(state->getAvailableNotificationCount(), 1);
    application->setCurrentDevice(QString());
    QTRY_COMPARE(application->findChildren<BaseReply*>().size(), 0);
}

void NotificationStateTest::previousDeviceRepliesAreDropped_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"page", "mark", "delete", "count", "critical"}) {
        QTest::newRow(kind) << QString::fromLatin1(kind);
    }
}

void NotificationStateTest::previousDeviceRepliesAreDropped()
{
    QFETCH(QString, kind);
    ApplicationState* application = ApplicationState::getInstance();
    const QString a = QStringLiteral("A-") + kind;
    const QString b = QStringLiteral("B-") + kind;
    server.setJson(QStringLiteral("POST"), path + a, page({wire(1, QStringLiteral("A")), wire(2)}));
    server.setJson(QStringLiteral("GET"), path + a, count(3, false));
    server.setJson(QStringLiteral("GET"), criticalPath + a, R"({"hasCriticalDkkt":true})");
    // Picking a device is enough to load its notifications.
    application->setCurrentDevice(a);
    QTRY_COMPARE(state->getNotifications().size(), 2);
    QTRY_COMPARE(pendingRequests(state), 0);
    QTRY_COMPARE(application->findChildren<BaseReply*>().size(), 0);
    QCOMPARE(state->getAvailableNotificationCount(), 3);
    QVERIFY(state->getCriticalModuleNotification().hasCriticalDkkt);

    // A's answer to the action under test is slow; B is picked while it is on the wire.
    TestServer::Reply slow;
    slow.delayMs = 300;
    if (kind == QLatin1String("page")) {
        slow.body = page({wire(1, QStringLiteral("A-late")), wire(9)});
        server.setReply(QStringLiteral("POST"), path + a, slow);
        state->updateNotificationList(2, 100);
    } else if (kind == QLatin1String("mark")) {
        server.setReply(QStringLiteral("PATCH"), path + a, slow);
        state->markNotificationAsRead({1});
    } else if (kind == QLatin1String("delete")) {
        server.setReply(QStringLiteral("DELETE"), path + a, slow);
        state->deleteNotification({1});
    } else if (kind == QLatin1String("count")) {
        slow.body = count(5, true);
        server.setReply(QStringLiteral("GET"), path + a, slow);
        state->updateAvailableNotificationCount();
    } else {
        slow.body = R"({"hasCriticalTorvo":true})";
        server.setReply(QStringLiteral("GET"), criticalPath + a, slow);
        state->updateCriticalModuleNotification();
    }
    server.setJson(QStringLiteral("POST"), path + b, page({wire(1, QStringLiteral("B")), wire(7)}));
    server.setJson(QStringLiteral("GET"), path + b, count(0, false));
    server.setJson(QStringLiteral("GET"), criticalPath + b, "{}");
    QSignalSpy changed(state, &NotificationState::notificationChanged);
    application->setCurrentDevice(b);

    // Nothing of A is held, counted or flagged once B is picked...
    QVERIFY(!changed.isEmpty());
    QVERIFY(changed.first().first().value<NotificationHash>().isEmpty());
    QCOMPARE(state->getAvailableNotificationCount(), 0);
    QCOMPARE(state->getCriticalNotificationType(), NoUnread);
    QCOMPARE(state->getCriticalModuleNotification(), CriticalModuleNotification());
    // ...and A's late answer, when it comes, changes nothing of B's.
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(state->getNotifications().keys().size(), 2);
    QCOMPARE(state->getNotifications().value(1).header, QStringLiteral("B"));
    QVERIFY(!state->getNotifications().value(1).isRead);
    QVERIFY(state->getNotifications().contains(7));
    QCOMPARE(state->getAvailableNotificationCount(), 0);
    QCOMPARE(state->getCriticalModuleNotification(), CriticalModuleNotification());
    QVERIFY(!log.contains(QStringLiteral("A-late")));
    // Only the request under test was left, unless it is a command, which is never given up.
    const bool command = kind == QLatin1String("mark") || kind == QLatin1String("delete");
    QCOMPARE(log.contains(QStringLiteral("Отменено незавершённых запросов: 1")), !command);
    if (command) {
        // The operator's command still reached A; only its answer is no longer B's business.
        QVERIFY(log.contains(QStringLiteral("для устройства ") + a +
                             QStringLiteral(" пропущен: выбрано устройство ") + b));
    }
    // A command goes to the device whose ids it names.
    QVERIFY(server.requests(QStringLiteral("PATCH"), path + b).isEmpty());
    QVERIFY(server.requests(QStringLiteral("DELETE"), path + b).isEmpty());

    application->setCurrentDevice(QString());
    QTRY_COMPARE(application->findChildren<BaseReply*>().size(), 0);
}

void NotificationStateTest::reloadSupersedesPageInFlight()
{
    loadPage({wire(1), wire(2)});
    // A later page is still on the wire when the operator reloads.
    TestServer::Reply slow;
    slow.body = page({wire(120, QStringLiteral("old page")), wire(121, QStringLiteral("old page"))});
    slow.delayMs = 300;
    server.setReply(QStringLiteral("POST"), path, slow);
    server.clearRequests();
    state->updateNotificationList(2, 100);
    QTRY_COMPARE(server.requestCount(), 1);

    server.setJson(QStringLiteral("POST"), path, page({wire(300), wire(1)}));
    server.setJson(QStringLiteral("GET"), path, count(2, false));
    state->reloadNotifications();
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(QJsonDocument::fromJson(server.requests(QStringLiteral("POST"), path).last().body).object(),
             QJsonObject({{QStringLiteral("offset"), 0}, {QStringLiteral("count"), 20}}));
    QList<int> held = state->getNotifications().keys();
    std::sort(held.begin(), held.end());
    QCOMPARE(held, QList<int>({1, 300}));
    QVERIFY(!log.contains(QStringLiteral("old page")));
    QVERIFY(log.contains(QStringLiteral("Отменено незавершённых запросов: 1")));
}

void NotificationStateTest::timerAsksCountThenCritical()
{
    auto* timer = state->findChild<QTimer*>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 300000);
    QVERIFY(timer->isActive());
    QVERIFY(!timer->isSingleShot());
    QCOMPARE(server.requestCount(), 0); // nothing at construction

    server.setJson(QStringLiteral("GET"), path, count(0, false));
    server.setJson(QStringLiteral("GET"), criticalPath, "{}");
    timer->start(1);
    QTRY_VERIFY(server.requestCount() >= 2);
    timer->stop();
    const QStringList messages = log.messages();
    const int countAt =
        messages.indexOf(QStringLiteral("Запрос обновления количества доступных уведомлений ..."));
    const int criticalAt =
        messages.indexOf(QStringLiteral("Запрос обновления информации о критических уведомлениях ..."));
    QVERIFY(countAt >= 0);
    QVERIFY(criticalAt > countAt);
}

void NotificationStateTest::summariesFollowMarkAndDelete_data()
{
    QTest::addColumn<bool>("countInFlight");
    QTest::newRow("mark") << false;
    QTest::newRow("delete, count in flight") << true;
}

// "Прочитать все" left the bells red and the tray critical until the next poll, five minutes on.
void NotificationStateTest::summariesFollowMarkAndDelete()
{
    QFETCH(bool, countInFlight);
    if (countInFlight) {
        // Read by the service before the command: its answer is out of date when it comes.
        TestServer::Reply old;
        old.body = count(1, true);
        old.delayMs = 400;
        server.setReply(QStringLiteral("GET"), path, old);
        state->updateAvailableNotificationCount();
        QTRY_COMPARE(server.requestCount(), 1);
    }
    server.setJson(QStringLiteral("GET"), path, count(0, false));
    server.setJson(QStringLiteral("GET"), criticalPath, "{}");
    server.setJson(countInFlight ? QStringLiteral("DELETE") : QStringLiteral("PATCH"), path, "{}");
    countInFlight ? state->deleteNotification({1}) : state->markNotificationAsRead({1});
    QTRY_COMPARE(pendingRequests(state), 0);
    QCOMPARE(state->getCriticalNotificationType(), NoUnread);
    QCOMPARE(server.requests(QStringLiteral("GET"), criticalPath).size(), 1);
    QCOMPARE(server.requests(QStringLiteral("GET"), path).size(), countInFlight ? 2 : 1);
}

void NotificationStateTest::newsRule_data()
{
    QTest::addColumn<QString>("reports"); // device and level per report: "A2" is register A critical
    QTest::addColumn<QString>("news");    // 1 where the report is news
    QTest::newRow("first report") << "A1"
                                  << "1";
    QTest::newRow("same level again") << "A1 A1"
                                      << "10";
    QTest::newRow("critical, then unread") << "A2 A1"
                                           << "11";
    QTest::newRow("another register between") << "A2 B1 A2"
                                              << "110";
    QTest::newRow("none, then the same level") << "A1 A0 A1"
                                               << "111";
    QTest::newRow("nothing to tell") << "A0"
                                     << "0";
}

void NotificationStateTest::newsRule()
{
    QFETCH(QString, reports);
    QFETCH(QString, news);
    NotificationAnnouncements announcements;
    QString told;
    for (const QString& report : reports.split(QLatin1Char(' '))) {
        told +=
            announcements.isNews(report.left(1), CriticalNotificationType(report.mid(1).toInt())) ? '1' : '0';
    }
    QCOMPARE(told, news);
}

// A change of a register's level is news (critical to unread too); a return to a register at the
// level it was announced at is not.
void NotificationStateTest::balloonOncePerChangeOfLevel()
{
    ApplicationState* application = ApplicationState::getInstance();
    QSignalSpy news(state, &NotificationState::hasCriticalNotification);
    QSignalSpy restored(state, &NotificationState::summaryRestored);
    const auto countFor = [&](const QString& device, int unread, bool critical) {
        server.setJson(QStringLiteral("GET"), path + device, count(unread, critical));
        if (application->getCurrentDevice() == device) {
            state->updateAvailableNotificationCount();
        } else {
            application->setCurrentDevice(device);
        }
        QTRY_COMPARE(pendingRequests(state), 0);
    };
    countFor(QStringLiteral("news-A"), 2, true);
    countFor(QStringLiteral("news-B"), 1, false);
    countFor(QStringLiteral("news-A"), 2, true);
    countFor(QStringLiteral("news-A"), 2, false);
    const auto levels = [](const QSignalSpy& spy) {
        QList<int> levels;
        for (const QList<QVariant>& signal : spy) {
            levels.append(signal.first().value<CriticalNotificationType>());
        }
        return levels;
    };
    QCOMPARE(levels(news), (QList<int>{HasCritical, HasUnread, HasUnread}));
    QCOMPARE(levels(restored), (QList<int>{NoUnread, NoUnread, HasCritical}));
    application->setCurrentDevice(QString());
    QTRY_COMPARE(application->findChildren<BaseReply*>().size(), 0);
}

QTEST_GUILESS_MAIN(NotificationStateTest)
#include "tst_notificationstate.moc"
