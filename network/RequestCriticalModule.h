#pragma once

#include "network/DeviceRequest.h"

// Which modules have a critical notification.
class RequestCriticalModule : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestCriticalModule(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    bool hasCriticalLdb() const;
    bool hasCriticalGismt() const;
    bool hasCriticalTorvo() const;
    bool hasCriticalDkkt() const;
    bool hasCriticalSoftware() const;

private:
    bool criticalLdb = false;
    bool criticalGismt = false;
    bool criticalTorvo = false;
    bool criticalDkkt = false;
    bool criticalSoftware = false;
};
