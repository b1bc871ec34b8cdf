#include "network/DeviceRequest.h"

DeviceRequest::DeviceRequest(QObject* parent, const QString& method, const QString& path,
                             const QByteArray& userAgent)
    : ServiceRequest(parent, method, path, userAgent)
{
}

QNetworkRequest DeviceRequest::createRequest() const
{
    return buildRequest(appendDeviceSegment(url, device), userAgent);
}

void DeviceRequest::setDevice(const QString& device)
{
    this->device = device;
}

QString DeviceRequest::getDevice() const
{
    return device;
}
