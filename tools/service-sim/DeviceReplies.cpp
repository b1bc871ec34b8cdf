#include "DeviceReplies.h"

#include "SimTime.h"

#include <QJsonArray>

namespace {

QJsonObject linkJson(const ModuleLink& link, bool running)
{
    return QJsonObject{
        {QStringLiteral("error"), running ? link.error : QString()},
        {QStringLiteral("lastConnection"), running ? isoTimestamp(link.lastConnection) : QString()},
    };
}

} // namespace

namespace DeviceReplies {

SimReply kktList(const QList<SimDevice>& devices)
{
    QJsonArray list;
    for (const SimDevice& device : devices) {
        if (device.hasRegister) {
            list.append(QJsonObject{
                {QStringLiteral("kktSerial"), device.id},
                {QStringLiteral("modelName"), device.modelName},
                {QStringLiteral("fnSerial"), device.fnSerial},
                {QStringLiteral("kktRnm"), device.kktRnm},
                {QStringLiteral("kktInn"), device.kktInn},
                {QStringLiteral("shiftState"), device.shiftState},
            });
        }
    }
    return SimReply::json(QJsonObject{{QStringLiteral("kkt"), list}});
}

SimReply instanceList(const QList<SimDevice>& devices)
{
    QJsonArray list;
    for (const SimDevice& device : devices) {
        if (!device.hasRegister) {
            list.append(QJsonObject{
                {QStringLiteral("id"), device.id},
                {QStringLiteral("state"), serviceStateText(device.state)},
                {QStringLiteral("version"), device.version},
            });
        }
    }
    return SimReply::json(QJsonObject{{QStringLiteral("instances"), list}});
}

SimReply connectionStatus(const SimDevice& device)
{
    // A service that does not run knows nothing about its links.
    const bool running = device.isRunning();
    QJsonObject software = linkJson(device.software, running);
    software.insert(QStringLiteral("name"), running ? device.softwareName : QString());
    software.insert(QStringLiteral("version"), running ? device.softwareVersion : QString());
    return SimReply::json(QJsonObject{
        {QStringLiteral("gismt"), linkJson(device.gismt, running)},
        {QStringLiteral("lm"), linkJson(device.lm, running)},
        {QStringLiteral("zel"), linkJson(device.zel, running)},
        {QStringLiteral("clientSoftware"), software},
    });
}

SimReply lmStatus(const SimDevice& device)
{
    const bool running = device.isRunning();
    return SimReply::json(QJsonObject{
        {QStringLiteral("lmStatus"),
         QJsonObject{
             {QStringLiteral("version"), running ? device.lmVersion : QString()},
             {QStringLiteral("status"), running ? device.lmStatus : QStringLiteral("not_configured")},
             {QStringLiteral("lastSync"),
              running && device.lmLastSync.isValid() ? device.lmLastSync.toSecsSinceEpoch() : 0},
         }}});
}

SimReply torvoStatus(const SimDevice& device)
{
    QJsonObject reply{
        {QStringLiteral("state"), serviceStateText(device.state)},
        {QStringLiteral("version"), device.version},
    };
    if (device.state == ServiceState::Registered) {
        reply.insert(QStringLiteral("regData"), QJsonObject{
                                                    {QStringLiteral("velkorId"), device.velkorId},
                                                    {QStringLiteral("gismtVelkorId"), device.gismtVelkorId},
                                                });
    }
    return SimReply::json(reply);
}

SimReply updates(const SimDevice& device)
{
    QJsonArray list;
    if (!device.updatePackage.isEmpty()) {
        list.append(QJsonObject{
            {QStringLiteral("package"), device.updatePackage},
            {QStringLiteral("versionName"), device.updateVersion},
            {QStringLiteral("status"),
             device.updateQueued ? QStringLiteral("В очереди") : QStringLiteral("Доступно")},
        });
    }
    return SimReply::json(QJsonObject{{QStringLiteral("updates"), list}});
}

SimReply settings(const SimDevice& device)
{
    return SimReply::json(QJsonObject{
        {QStringLiteral("compatibilityMode"), device.compatibilityMode},
        {QStringLiteral("allowRemoteConnection"), device.allowRemoteConnection},
        {QStringLiteral("gismtAddress"), device.gismtAddress},
    });
}

SimReply lmSettings(const SimDevice& device)
{
    return SimReply::json(QJsonObject{
        {QStringLiteral("address"), device.lmAddress},
        {QStringLiteral("port"), device.lmPort},
        {QStringLiteral("login"), device.lmLogin},
        {QStringLiteral("password"), device.lmPassword},
    });
}

} // namespace DeviceReplies
