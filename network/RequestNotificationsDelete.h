#pragma once

#include "network/DeviceRequest.h"

#include <QList>

// Deletes notifications.
class RequestNotificationsDelete : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestNotificationsDelete(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setIds(const QList<int>& ids);

private:
    QList<int> ids;
};
