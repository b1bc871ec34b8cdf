#pragma once

#include "network/DeviceRequest.h"

// Starts the service instance of a device.
class RequestStartTorvo : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestStartTorvo(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    QString getServiceState() const;
    QString getInstanceId() const;

private:
    QString serviceState;
    QString instanceId;
};
