#include "network/RequestCriticalModule.h"

#include <QJsonObject>

RequestCriticalModule::RequestCriticalModule(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/critical/"), guiAgent)
{
}

void RequestCriticalModule::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestCriticalModule::readJson(const QJsonObject& object)
{
    criticalLdb = object.value(QStringLiteral("hasCriticalLdb")).toBool();
    criticalGismt = object.value(QStringLiteral("hasCriticalGismt")).toBool();
    criticalTorvo = object.value(QStringLiteral("hasCriticalTorvo")).toBool();
    criticalDkkt = object.value(QStringLiteral("hasCriticalDkkt")).toBool();
    criticalSoftware = object.value(QStringLiteral("hasCriticalSoftware")).toBool();
    return QString();
}

bool RequestCriticalModule::hasCriticalLdb() const
{
    return criticalLdb;
}

bool RequestCriticalModule::hasCriticalGismt() const
{
    return criticalGismt;
}

bool RequestCriticalModule::hasCriticalTorvo() const
{
    return criticalTorvo;
}

bool RequestCriticalModule::hasCriticalDkkt() const
{
    return criticalDkkt;
}

bool RequestCriticalModule::hasCriticalSoftware() const
{
    return criticalSoftware;
}
