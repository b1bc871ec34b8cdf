#include "network/RequestConnectionStatus.h"

#include <QJsonObject>

RequestConnectionStatus::RequestConnectionStatus(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/status/"), guiAgent)
{
}

void RequestConnectionStatus::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

ModuleConnection RequestConnectionStatus::readModule(const QJsonObject& module) const
{
    ModuleConnection connection;
    connection.error = module.value(QStringLiteral("error")).toString();
    connection.lastConnection = module.value(QStringLiteral("lastConnection")).toString();
    connection.status = getConenctionStatus(connection.error, connection.lastConnection);
    return connection;
}

QString RequestConnectionStatus::readJson(const QJsonObject& object)
{
    gismt = lm = zel = software = ModuleConnection();
    softwareName.clear();
    softwareVersion.clear();

    if (object.contains(QStringLiteral("gismt"))) {
        gismt = readModule(object.value(QStringLiteral("gismt")).toObject());
    }
    if (object.contains(QStringLiteral("lm"))) {
        lm = readModule(object.value(QStringLiteral("lm")).toObject());
    }
    if (object.contains(QStringLiteral("zel"))) {
        zel = readModule(object.value(QStringLiteral("zel")).toObject());
    }
    if (object.contains(QStringLiteral("clientSoftware"))) {
        const QJsonObject clientSoftware = object.value(QStringLiteral("clientSoftware")).toObject();
        software = readModule(clientSoftware);
        softwareName = clientSoftware.value(QStringLiteral("name")).toString();
        softwareVersion = clientSoftware.value(QStringLiteral("version")).toString();
    }
    return QString();
}

QString RequestConnectionStatus::getConenctionStatus(QString error, QString lastConnection) const
{
    if (!error.isEmpty()) {
        return error;
    }
    if (!lastConnection.isEmpty()) {
        return QStringLiteral("Стабильно");
    }
    return QStringLiteral("Неизвестно");
}

ModuleConnection RequestConnectionStatus::getGismt() const
{
    return gismt;
}

ModuleConnection RequestConnectionStatus::getLm() const
{
    return lm;
}

ModuleConnection RequestConnectionStatus::getZel() const
{
    return zel;
}

ModuleConnection RequestConnectionStatus::getSoftware() const
{
    return software;
}

QString RequestConnectionStatus::getSoftwareName() const
{
    return softwareName;
}

QString RequestConnectionStatus::getSoftwareVersion() const
{
    return softwareVersion;
}
