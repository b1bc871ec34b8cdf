#pragma once

#include "network/DeviceRequest.h"

// Writes the service's own settings.
class RequestTorvoSettingsUpdate : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestTorvoSettingsUpdate(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setCompatibilityMode(bool compatibilityMode);
    void setAllowRemoteConnection(bool allowRemoteConnection);
    void setGismtAddress(const QString& gismtAddress);

private:
    bool compatibilityMode = false;
    bool allowRemoteConnection = false;
    QString gismtAddress;
};
