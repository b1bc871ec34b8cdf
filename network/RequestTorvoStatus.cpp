#include "network/RequestTorvoStatus.h"

#include <QJsonObject>

RequestTorvoStatus::RequestTorvoStatus(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/instances/info/"), guiAgent)
{
}

void RequestTorvoStatus::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestTorvoStatus::readJson(const QJsonObject& object)
{
    state = object.value(QStringLiteral("state")).toString();
    registered = state == QStringLiteral("Зарегистрирован");
    version = object.value(QStringLiteral("version")).toString();
    const QJsonObject regData = object.value(QStringLiteral("regData")).toObject();
    velkorId = regData.value(QStringLiteral("velkorId")).toString();
    gismtVelkorId = regData.value(QStringLiteral("gismtVelkorId")).toString();
    return QString();
}

bool RequestTorvoStatus::isRegistered() const
{
    return registered;
}

QString RequestTorvoStatus::getState() const
{
    return state;
}

QString RequestTorvoStatus::getVersion() const
{
    return version;
}

QString RequestTorvoStatus::getVelkorId() const
{
    return velkorId;
}

QString RequestTorvoStatus::getGismtVelkorId() const
{
    return gismtVelkorId;
}
