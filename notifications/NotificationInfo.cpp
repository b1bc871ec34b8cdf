#include "notifications/NotificationInfo.h"

#include <QJsonObject>
#include <QJsonValue>

bool CriticalModuleNotification::operator==(const CriticalModuleNotification& other) const
{
    return hasCriticalLdb == other.hasCriticalLdb && hasCriticalGismt == other.hasCriticalGismt &&
           hasCriticalTorvo == other.hasCriticalTorvo && hasCriticalDkkt == other.hasCriticalDkkt &&
           hasCriticalSoftware == other.hasCriticalSoftware;
}

NotificationModule notificationModuleFromWire(const QString& wire)
{
    static const QHash<QString, NotificationModule> modules = {
        {QStringLiteral("LDB"), LDB},   {QStringLiteral("GISMT"), GISMT},
        {QStringLiteral("ZEL"), ZEL},   {QStringLiteral("TORVO"), TORVO},
        {QStringLiteral("DKKT"), DKKT}, {QStringLiteral("CLIENT_SOFTWARE"), CLIENT_SOFTWARE},
    };
    return modules.value(wire, UNKNOWN);
}

QString notificationModuleName(int module)
{
    switch (module) {
    case LDB:
        return QStringLiteral("ЛМ ЧЗ");
    case GISMT:
        return QStringLiteral("ГИС МТ");
    case ZEL:
        return QStringLiteral("ZEL");
    case TORVO:
        return QStringLiteral("Torvo");
    case DKKT:
        return QStringLiteral("ДККТ");
    case CLIENT_SOFTWARE:
        return QStringLiteral("Кассовое ПО");
    default:
        return QStringLiteral("Неизвестный модуль");
    }
}

NotificationType notificationTypeFromWire(bool isRead, const QString& type)
{
    if (isRead) {
        return Read;
    }
    return type == QLatin1String("ERR") ? Error : Unread;
}

QSet<NotificationModule> defaultModuleFilter()
{
    return {LDB, GISMT, ZEL, TORVO, DKKT, CLIENT_SOFTWARE, UNKNOWN};
}

NotificationInfo notificationFromJson(const QJsonObject& object)
{
    NotificationInfo info;
    info.id = object.value(QStringLiteral("id")).toInt();
    info.header = object.value(QStringLiteral("header")).toString();
    info.message = object.value(QStringLiteral("message")).toString();
    info.dateTime = object.value(QStringLiteral("dateTime")).toString();
    info.isRead = object.value(QStringLiteral("isRead")).toBool();
    info.notificationType =
        notificationTypeFromWire(info.isRead, object.value(QStringLiteral("notificationType")).toString());
    info.notificationModule =
        notificationModuleFromWire(object.value(QStringLiteral("notificationModule")).toString());
    return info;
}

void registerNotificationMetaTypes()
{
    // Under their written names too, so that signals declared with the aliases resolve.
    qRegisterMetaType<NotificationModule>("NotificationModule");
    qRegisterMetaType<NotificationType>("NotificationType");
    qRegisterMetaType<CriticalNotificationType>("CriticalNotificationType");
    qRegisterMetaType<NotificationInfo>("NotificationInfo");
    qRegisterMetaType<CriticalModuleNotification>("CriticalModuleNotification");
    qRegisterMetaType<QSet<NotificationModule>>("QSet<NotificationModule>");
    qRegisterMetaType<QList<NotificationInfo>>("QList<NotificationInfo>");
    qRegisterMetaType<QList<int>>("QList<int>");
    qRegisterMetaType<NotificationHash>("NotificationHash");
    qRegisterMetaType<NotificationHash>("QHash<int,NotificationInfo>");
}
