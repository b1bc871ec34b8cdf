#include "network/RequestCheckUpgradeTorvo.h"

#include <QJsonArray>
#include <QJsonObject>

RequestCheckUpgradeTorvo::RequestCheckUpgradeTorvo(QObject* parent)
    : DeviceRequest(parent, QStringLiteral("GET"), QStringLiteral("/api/v1/update/"), guiAgent)
{
}

void RequestCheckUpgradeTorvo::processReply(QNetworkReply* reply)
{
    processJsonReply(reply);
}

QString RequestCheckUpgradeTorvo::readJson(const QJsonObject& object)
{
    package.clear();
    versionName.clear();
    // Key by key, the last entry that names a value wins.
    const QJsonArray updates = object.value(QStringLiteral("updates")).toArray();
    for (const QJsonValue& entry : updates) {
        const QJsonObject candidate = entry.toObject();
        const QJsonValue entryPackage = candidate.value(QStringLiteral("package"));
        if (entryPackage.isString()) {
            package = entryPackage.toString();
        }
        const QJsonValue entryVersion = candidate.value(QStringLiteral("versionName"));
        if (entryVersion.isString()) {
            versionName = entryVersion.toString();
        }
    }
    update = !package.isEmpty() && !versionName.isEmpty();
    return QString();
}

bool RequestCheckUpgradeTorvo::hasUpdate() const
{
    return update;
}

QString RequestCheckUpgradeTorvo::getPackage() const
{
    return package;
}

QString RequestCheckUpgradeTorvo::getVersionName() const
{
    return versionName;
}
