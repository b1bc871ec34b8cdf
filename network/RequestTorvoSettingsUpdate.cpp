#include "network/RequestTorvoSettingsUpdate.h"

#include <QJsonObject>

RequestTorvoSettingsUpdate::RequestTorvoSettingsUpdate(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("PUT"), QStringLiteral("/api/v1/settings/"), guiAgent)
{
}

void RequestTorvoSettingsUpdate::processReply(QNetworkReply* reply)
{
    processBodylessReply(reply);
}

QByteArray RequestTorvoSettingsUpdate::createRequestData() const
{
    return jsonBody(QJsonObject{
        {QStringLiteral("compatibilityMode"), compatibilityMode},
        {QStringLiteral("allowRemoteConnection"), allowRemoteConnection},
        {QStringLiteral("gismtAddress"), gismtAddress},
    });
}

void RequestTorvoSettingsUpdate::setCompatibilityMode(bool compatibilityMode)
{
    this->compatibilityMode = compatibilityMode;
}

void RequestTorvoSettingsUpdate::setAllowRemoteConnection(bool allowRemoteConnection)
{
    this->allowRemoteConnection = allowRemoteConnection;
}

void RequestTorvoSettingsUpdate::setGismtAddress(const QString& gismtAddress)
{
    this->gismtAddress = gismtAddress;
}
