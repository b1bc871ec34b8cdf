#include "network/RequestUpgradeTorvo.h"

#include "network/RequestLimits.h"

#include <QJsonObject>

RequestUpgradeTorvo::RequestUpgradeTorvo(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("POST"), QStringLiteral("/api/v1/update/"), guiAgent)
{
    timeLimit = RequestLimits::longMs;
}

void RequestUpgradeTorvo::processReply(QNetworkReply* reply)
{
    processBodylessReply(reply);
}

QByteArray RequestUpgradeTorvo::createRequestData() const
{
    return jsonBody(QJsonObject{
        {QStringLiteral("package"), package},
        {QStringLiteral("versionName"), versionName},
    });
}

void RequestUpgradeTorvo::setPackage(const QString& package)
{
    this->package = package;
}

void RequestUpgradeTorvo::setVersionName(const QString& versionName)
{
    this->versionName = versionName;
}
