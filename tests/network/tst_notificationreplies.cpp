// How the notification requests read the service's replies (no socket needed).
#include "network/RequestNotificationsCount.h"
#include "network/RequestNotificationsList.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject object(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

NotificationInfo notification(int id, NotificationType type, NotificationModule module, bool isRead = false)
{
    NotificationInfo info;
    info.id = id;
    info.notificationType = type;
    info.notificationModule = module;
    info.isRead = isRead;
    return info;
}

} // namespace

class NotificationRepliesTest : public QObject
{
    Q_OBJECT

private slots:
    void list_data();
    void list();
    void count_data();
    void count();
};

void NotificationRepliesTest::list_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QList<NotificationInfo>>("expected");

    NotificationInfo full;
    full.id = 41;
    full.header = QStringLiteral("Нет связи с ГИС МТ");
    full.message = QStringLiteral("Проверьте подключение");
    full.dateTime = QStringLiteral("2024-05-01T10:00:00+03:00");
    full.notificationType = Error;
    full.notificationModule = GISMT;
    QTest::newRow("every field") << QByteArray(
                                        R"({"notifications": [{"id": 41, "header": "Нет связи с ГИС МТ",
             "message": "Проверьте подключение", "dateTime": "2024-05-01T10:00:00+03:00", "isRead": false,
             "notificationType": "ERR", "notificationModule": "GISMT"}]})")
                                 << QString() << QList<NotificationInfo>{full};
    QTest::newRow("read beats ERR")
        << QByteArray(
               R"({"notifications": [{"id": 1, "isRead": true, "notificationType": "ERR", "notificationModule": "LDB"}]})")
        << QString() << QList<NotificationInfo>{notification(1, Read, LDB, true)};
    QTest::newRow("err in lower case")
        << QByteArray(
               R"({"notifications": [{"id": 2, "isRead": false, "notificationType": "err", "notificationModule": "DKKT"}]})")
        << QString() << QList<NotificationInfo>{notification(2, Unread, DKKT)};
    QTest::newRow("module in lower case")
        << QByteArray(R"({"notifications": [{"id": 3, "notificationModule": "gismt"}]})") << QString()
        << QList<NotificationInfo>{notification(3, Unread, UNKNOWN)};
    QTest::newRow("no keys") << QByteArray(R"({"notifications": [{}]})") << QString()
                             << QList<NotificationInfo>{notification(0, Unread, UNKNOWN)};
    QTest::newRow("wrong types")
        << QByteArray(
               R"({"notifications": [{"id": "9", "header": 1, "isRead": "true", "notificationType": "ERR",
             "notificationModule": "TORVO", "dateTime": 5}]})")
        << QString() << QList<NotificationInfo>{notification(0, Error, TORVO)};
    QTest::newRow("string and two objects")
        << QByteArray(R"({"notifications": ["x", {"id": 8, "notificationModule": "ZEL"}, 4, {"id": 7,
             "notificationModule": "CLIENT_SOFTWARE"}]})")
        << QString()
        << QList<NotificationInfo>{notification(8, Unread, ZEL), notification(7, Unread, CLIENT_SOFTWARE)};
    QTest::newRow("notifications is an object")
        << QByteArray(R"({"notifications": {"id": 1}})") << QString() << QList<NotificationInfo>();
    QTest::newRow("empty list") << QByteArray(R"({"notifications": []})") << QString()
                                << QList<NotificationInfo>();
    QTest::newRow("no notifications")
        << QByteArray(R"({"items": [{"id": 1}]})") << QStringLiteral("Не удалось получить список уведомлений")
        << QList<NotificationInfo>();
}

void NotificationRepliesTest::list()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    QFETCH(QList<NotificationInfo>, expected);
    RequestNotificationsList request(nullptr);
    QCOMPARE(request.readJson(object(json)), error);
    const QList<NotificationInfo> seen = request.getNotifications();
    QCOMPARE(seen.size(), expected.size());
    for (int i = 0; i < seen.size(); ++i) {
        QCOMPARE(seen.at(i).id, expected.at(i).id);
        QCOMPARE(seen.at(i).notificationType, expected.at(i).notificationType);
        QCOMPARE(seen.at(i).notificationModule, expected.at(i).notificationModule);
        QVERIFY(seen.at(i) == expected.at(i));
    }
}

void NotificationRepliesTest::count_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("unread");
    QTest::addColumn<bool>("critical");
    QTest::newRow("both") << QByteArray(
                                 R"({"unreadNotificationsCount": 12, "hasCriticalNotifications": true})")
                          << 12 << true;
    QTest::newRow("nothing") << QByteArray("{}") << 0 << false;
    QTest::newRow("count as text") << QByteArray(R"({"unreadNotificationsCount": "12"})") << 0 << false;
    QTest::newRow("fractional count") << QByteArray(R"({"unreadNotificationsCount": 2.5})") << 0 << false;
    QTest::newRow("flag as number")
        << QByteArray(R"({"unreadNotificationsCount": 1, "hasCriticalNotifications": 1})") << 1 << false;
}

void NotificationRepliesTest::count()
{
    QFETCH(QByteArray, json);
    QFETCH(int, unread);
    QFETCH(bool, critical);
    RequestNotificationsCount request(nullptr);
    QCOMPARE(request.readJson(object(json)), QString());
    QCOMPARE(request.getUnreadCount(), unread);
    QCOMPARE(request.hasCriticalNotifications(), critical);
}

QTEST_GUILESS_MAIN(NotificationRepliesTest)
#include "tst_notificationreplies.moc"
