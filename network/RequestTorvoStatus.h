#pragma once

#include "network/DeviceRequest.h"

// The state of the service instance for one device.
class RequestTorvoStatus : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestTorvoStatus(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    bool isRegistered() const;
    QString getState() const;
    QString getVersion() const;
    QString getVelkorId() const;
    QString getGismtVelkorId() const;

private:
    bool registered = false;
    QString state;
    QString version;
    QString velkorId;
    QString gismtVelkorId;
};
