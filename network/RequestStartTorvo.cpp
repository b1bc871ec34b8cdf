#include "network/RequestStartTorvo.h"

#include "network/RequestLimits.h"

#include "network/RequestSetupTorvo.h"

RequestStartTorvo::RequestStartTorvo(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("POST"), QStringLiteral("/api/v1/service/start/"), clientAgent)
{
    timeLimit = RequestLimits::longMs;
}

void RequestStartTorvo::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestStartTorvo::readJson(const QJsonObject& object)
{
    return RequestSetupTorvo::readServiceStart(object, instanceId, serviceState);
}

QString RequestStartTorvo::getServiceState() const
{
    return serviceState;
}

QString RequestStartTorvo::getInstanceId() const
{
    return instanceId;
}
