#pragma once

#include "network/DeviceRequest.h"

// Installs an upgrade package of the service.
class RequestUpgradeTorvo : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestUpgradeTorvo(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setPackage(const QString& package);
    void setVersionName(const QString& versionName);

private:
    QString package;
    QString versionName;
};
