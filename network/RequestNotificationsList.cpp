#include "network/RequestNotificationsList.h"

#include <QJsonArray>
#include <QJsonObject>

RequestNotificationsList::RequestNotificationsList(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("POST"), QStringLiteral("/api/v1/notifications/"), guiAgent)
{
}

void RequestNotificationsList::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QByteArray RequestNotificationsList::createRequestData() const
{
    return jsonBody(QJsonObject{
        {QStringLiteral("offset"), offset},
        {QStringLiteral("count"), limit},
    });
}

QString RequestNotificationsList::readJson(const QJsonObject& object)
{
    notifications.clear();
    if (!object.contains(QStringLiteral("notifications"))) {
        return QStringLiteral("Не удалось получить список уведомлений");
    }
    const QJsonArray elements = object.value(QStringLiteral("notifications")).toArray();
    for (const QJsonValue& element : elements) {
        if (element.isObject()) {
            notifications.append(notificationFromJson(element.toObject()));
        }
    }
    return QString();
}

void RequestNotificationsList::setOffset(int offset)
{
    this->offset = offset;
}

void RequestNotificationsList::setLimit(int limit)
{
    this->limit = limit;
}

QList<NotificationInfo> RequestNotificationsList::getNotifications() const
{
    return notifications;
}
