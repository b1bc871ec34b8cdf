#include "network/RequestTorvoSettings.h"

#include <QJsonObject>

RequestTorvoSettings::RequestTorvoSettings(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/settings/"), guiAgent)
{
}

void RequestTorvoSettings::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestTorvoSettings::readJson(const QJsonObject& object)
{
    compatibilityMode = object.value(QStringLiteral("compatibilityMode")).toBool();
    allowRemoteConnection = object.value(QStringLiteral("allowRemoteConnection")).toBool();
    gismtAddress = object.value(QStringLiteral("gismtAddress")).toString();
    return QString();
}

bool RequestTorvoSettings::getCompatibilityMode() const
{
    return compatibilityMode;
}

bool RequestTorvoSettings::getAllowRemoteConnection() const
{
    return allowRemoteConnection;
}

QString RequestTorvoSettings::getGismtAddress() const
{
    return gismtAddress;
}
