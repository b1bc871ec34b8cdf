#pragma once

#include "network/DeviceRequest.h"

// Reads the service's own settings.
class RequestTorvoSettings : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestTorvoSettings(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    bool getCompatibilityMode() const;
    bool getAllowRemoteConnection() const;
    QString getGismtAddress() const;

private:
    bool compatibilityMode = false;
    bool allowRemoteConnection = false;
    QString gismtAddress;
};
