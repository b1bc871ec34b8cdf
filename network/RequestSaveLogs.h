#pragma once

#include "network/DeviceRequest.h"

// Has the service export its logs into a folder; the service log unless useBusinessLog().
class RequestSaveLogs : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestSaveLogs(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QByteArray createRequestData() const override;

    void setPath(const QString& path);
    void useBusinessLog();

private:
    QString path;
};
