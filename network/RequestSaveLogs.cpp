#include "network/RequestSaveLogs.h"

#include "network/RequestLimits.h"

#include <QJsonObject>

RequestSaveLogs::RequestSaveLogs(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("POST"), QStringLiteral("/api/v1/log/service/"), clientAgent)
{
    timeLimit = RequestLimits::longMs;
}

void RequestSaveLogs::processReply(QNetworkReply* reply)
{
    processBodylessReply(reply);
}

QByteArray RequestSaveLogs::createRequestData() const
{
    return jsonBody(QJsonObject{{QStringLiteral("path"), path}});
}

void RequestSaveLogs::setPath(const QString& path)
{
    this->path = path;
}

void RequestSaveLogs::useBusinessLog()
{
    url = serviceUrl(QStringLiteral("/api/v1/log/business/"));
}
