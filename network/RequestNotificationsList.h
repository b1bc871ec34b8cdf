#pragma once

#include "network/DeviceRequest.h"
#include "notifications/NotificationInfo.h"

// One page of notifications.
class RequestNotificationsList : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestNotificationsList(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;
    QString readJson(const QJsonObject& object) override;

    void setOffset(int offset);
    void setLimit(int limit);

    QList<NotificationInfo> getNotifications() const;

private:
    int offset = 0;
    int limit = 0;

    QList<NotificationInfo> notifications;
};
