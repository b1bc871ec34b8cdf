#include "network/RequestNotificationsCount.h"

#include <QJsonObject>

RequestNotificationsCount::RequestNotificationsCount(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/notifications/"), guiAgent)
{
}

void RequestNotificationsCount::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestNotificationsCount::readJson(const QJsonObject& object)
{
    unreadCount = object.value(QStringLiteral("unreadNotificationsCount")).toInt();
    criticalNotifications = object.value(QStringLiteral("hasCriticalNotifications")).toBool();
    return QString();
}

int RequestNotificationsCount::getUnreadCount() const
{
    return unreadCount;
}

bool RequestNotificationsCount::hasCriticalNotifications() const
{
    return criticalNotifications;
}
