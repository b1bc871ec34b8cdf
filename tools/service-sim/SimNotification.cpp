#include "SimNotification.h"

#include "SimTime.h"

const QStringList SimNotification::modules = {
    QStringLiteral("LDB"),   QStringLiteral("GISMT"), QStringLiteral("ZEL"),
    QStringLiteral("TORVO"), QStringLiteral("DKKT"),  QStringLiteral("CLIENT_SOFTWARE"),
};

const QStringList SimNotification::types = {QStringLiteral("INFO"), QStringLiteral("WARN"),
                                            QStringLiteral("ERR")};

QJsonObject SimNotification::toJson() const
{
    return QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("header"), header},
        {QStringLiteral("message"), message},
        {QStringLiteral("dateTime"), isoTimestamp(dateTime)},
        {QStringLiteral("isRead"), isRead},
        {QStringLiteral("notificationType"), type},
        {QStringLiteral("notificationModule"), module},
    };
}
