#pragma once

#include "network/DeviceRequest.h"

// Asks whether an upgrade of the service is available.
class RequestCheckUpgradeTorvo : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestCheckUpgradeTorvo(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    bool hasUpdate() const;
    QString getPackage() const;
    QString getVersionName() const;

private:
    bool update = false;
    QString package;
    QString versionName;
};
