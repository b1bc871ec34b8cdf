#pragma once

#include "network/ServiceRequest.h"

// A request whose endpoint path ends in the device identifier.
class DeviceRequest : public ServiceRequest
{
    Q_OBJECT

public:
    QNetworkRequest createRequest() const override;

    void setDevice(const QString& device);
    QString getDevice() const;

protected:
    DeviceRequest(QObject* parent, const QString& method, const QString& path, const QByteArray& userAgent);

private:
    QString device;
};
