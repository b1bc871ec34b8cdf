#pragma once

#include "network/DeviceRequest.h"

#include <QList>

// Marks notifications read.
class RequestNotificationsMarked : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestNotificationsMarked(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setIds(const QList<int>& ids);

    // {"id": [...]}: the ids in list order, duplicates kept.
    static QByteArray idsBody(const QList<int>& ids);

private:
    QList<int> ids;
};
