#pragma once

#include "network/DeviceRequest.h"

// How many notifications are unread, and whether one of them is critical.
class RequestNotificationsCount : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestNotificationsCount(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    int getUnreadCount() const;
    bool hasCriticalNotifications() const;

private:
    int unreadCount = 0;
    bool criticalNotifications = false;
};
