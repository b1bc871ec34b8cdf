#pragma once

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QSet>
#include <QString>

class QJsonObject;

enum NotificationModule
{
    LDB = 0,
    GISMT,
    ZEL,
    TORVO,
    DKKT,
    CLIENT_SOFTWARE,
    UNKNOWN
};

enum NotificationType
{
    Read = 0,
    Unread,
    Error
};

enum CriticalNotificationType
{
    NoUnread = 0,
    HasUnread,
    HasCritical
};

struct NotificationInfo
{
    int id = 0;
    QString header;
    QString message;
    NotificationType notificationType = Unread;
    NotificationModule notificationModule = LDB;
    QString dateTime; // as the service sent it (ISO 8601)
    bool isRead = false;

    bool operator==(const NotificationInfo& other) const
    {
        return id == other.id && notificationType == other.notificationType &&
               notificationModule == other.notificationModule && isRead == other.isRead &&
               sameText(header, other.header) && sameText(message, other.message) &&
               sameText(dateTime, other.dateTime);
    }
    bool operator!=(const NotificationInfo& other) const { return !(*this == other); }

private:
    // Copies of one record share their texts: comparing them needs no look at the characters.
    static bool sameText(const QString& a, const QString& b) { return a.isSharedWith(b) || a == b; }
};

using NotificationHash = QHash<int, NotificationInfo>;

struct CriticalModuleNotification
{
    bool hasCriticalLdb = false;
    bool hasCriticalGismt = false;
    bool hasCriticalTorvo = false;
    bool hasCriticalDkkt = false;
    bool hasCriticalSoftware = false;

    bool operator==(const CriticalModuleNotification& other) const;
    bool operator!=(const CriticalModuleNotification& other) const { return !(*this == other); }
};

inline uint qHash(NotificationModule module, uint seed = 0)
{
    return ::qHash(int(module), seed);
}

// The service's "notificationModule" text; anything unknown, the empty text included, is UNKNOWN.
NotificationModule notificationModuleFromWire(const QString& wire);
// What the table, its delegates and the filter menu show for a module.
QString notificationModuleName(int module);
// A read notification is Read whatever its severity; only the exact "ERR" marks an Error.
NotificationType notificationTypeFromWire(bool isRead, const QString& type);
// The filter that shows every module, UNKNOWN included.
QSet<NotificationModule> defaultModuleFilter();
// One element of the notification list reply; absent keys read as the defaults.
NotificationInfo notificationFromJson(const QJsonObject& object);

// Lets every notification type travel through queued connections and QVariant; safe to call twice.
void registerNotificationMetaTypes();

Q_DECLARE_METATYPE(NotificationModule)
Q_DECLARE_METATYPE(NotificationType)
Q_DECLARE_METATYPE(CriticalNotificationType)
Q_DECLARE_METATYPE(NotificationInfo)
Q_DECLARE_METATYPE(CriticalModuleNotification)
Q_DECLARE_METATYPE(QSet<NotificationModule>)
Q_DECLARE_METATYPE(QList<NotificationInfo>)
Q_DECLARE_METATYPE(NotificationHash)
