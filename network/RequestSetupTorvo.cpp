#include "network/RequestSetupTorvo.h"

#include "network/RequestLimits.h"

#include <QJsonObject>

RequestSetupTorvo::RequestSetupTorvo(QObject* parent)
    : ServiceRequest(parent, QStringLiteral("POST"), QStringLiteral("/api/v1/velkor"), clientAgent)
{
    timeLimit = RequestLimits::longMs;
}

void RequestSetupTorvo::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QByteArray RequestSetupTorvo::createRequestData() const
{
    return jsonBody(QJsonObject{{QStringLiteral("id"), id}});
}

QString RequestSetupTorvo::readJson(const QJsonObject& object)
{
    return readServiceStart(object, instanceId, serviceState);
}

QString RequestSetupTorvo::readServiceStart(const QJsonObject& object, QString& instanceId,
                                            QString& serviceState)
{
    instanceId.clear();
    serviceState.clear();
    if (object.contains(QStringLiteral("id")) && object.contains(QStringLiteral("serviceState"))) {
        instanceId = object.value(QStringLiteral("id")).toString();
        serviceState = object.value(QStringLiteral("serviceState")).toString();
        if (serviceState == QStringLiteral("Работает")) {
            return QString();
        }
    }
    return QStringLiteral("Не удалось запустить Torvo");
}

void RequestSetupTorvo::setId(const QString& id)
{
    this->id = id;
}

QString RequestSetupTorvo::getServiceState() const
{
    return serviceState;
}

QString RequestSetupTorvo::getInstanceId() const
{
    return instanceId;
}
