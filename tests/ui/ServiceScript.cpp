#include "ServiceScript.h"

#include "TestServer.h"

#include "app/ApplicationState.h"
#include "network/BaseReply.h"
#include "network/NetworkManager.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QtTest>

QString ServicePaths::status(const QString& device)
{
    return QStringLiteral("/api/v1/status/") + device;
}

QString ServicePaths::lmStatus(const QString& device)
{
    return QStringLiteral("/api/v1/instances/lm/") + device;
}

QString ServicePaths::torvoStatus(const QString& device)
{
    return QStringLiteral("/api/v1/instances/info/") + device;
}

QString ServicePaths::lmSettings(const QString& device)
{
    return QStringLiteral("/api/v1/settings/lm/") + device;
}

QString ServicePaths::update(const QString& device)
{
    return QStringLiteral("/api/v1/update/") + device;
}

QString ServicePaths::kktList()
{
    return QStringLiteral("/api/v1/dkktList");
}

namespace {

QByteArray json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject connection(const QString& error, const QString& lastConnection)
{
    QJsonObject object;
    if (!error.isEmpty()) {
        object.insert(QStringLiteral("error"), error);
    }
    if (!lastConnection.isEmpty()) {
        object.insert(QStringLiteral("lastConnection"), lastConnection);
    }
    return object;
}

} // namespace

void scriptDevice(TestServer& server, const DeviceScript& s)
{
    const QString get = QStringLiteral("GET");

    QJsonArray kkt;
    if (s.inKktList) {
        kkt.append(QJsonObject{{QStringLiteral("kktSerial"), s.device},
                               {QStringLiteral("modelName"), s.modelName},
                               {QStringLiteral("fnSerial"), s.fnSerial},
                               {QStringLiteral("kktRnm"), s.kktRnm},
                               {QStringLiteral("kktInn"), s.kktInn},
                               {QStringLiteral("shiftState"), s.shiftState}});
    }
    server.setJson(get, ServicePaths::kktList(), json(QJsonObject{{QStringLiteral("kkt"), kkt}}));

    QJsonObject status;
    if (s.hasGismt) {
        status.insert(QStringLiteral("gismt"), connection(s.gismtError, s.gismtLastConnection));
    }
    if (s.hasSoftware) {
        QJsonObject software = connection(s.softwareError, s.softwareLastConnection);
        software.insert(QStringLiteral("name"), s.softwareName);
        software.insert(QStringLiteral("version"), s.softwareVersion);
        status.insert(QStringLiteral("clientSoftware"), software);
    }
    server.setJson(get, ServicePaths::status(s.device), json(status));

    server.setJson(
        get, ServicePaths::lmStatus(s.device),
        json(QJsonObject{{QStringLiteral("lmStatus"), QJsonObject{{QStringLiteral("version"), s.lmVersion},
                                                                  {QStringLiteral("status"), s.lmCode},
                                                                  {QStringLiteral("lastSync"), 0}}}}));

    server.setJson(get, ServicePaths::torvoStatus(s.device),
                   json(QJsonObject{{QStringLiteral("state"), s.torvoState},
                                    {QStringLiteral("version"), s.torvoVersion},
                                    {QStringLiteral("regData"),
                                     QJsonObject{{QStringLiteral("velkorId"), s.velkorId},
                                                 {QStringLiteral("gismtVelkorId"), s.gismtVelkorId}}}}));

    server.setJson(get, ServicePaths::lmSettings(s.device),
                   json(QJsonObject{{QStringLiteral("address"), s.lmAddress},
                                    {QStringLiteral("port"), s.lmPort},
                                    {QStringLiteral("login"), QStringLiteral("admin")},
                                    {QStringLiteral("password"), QStringLiteral("secret")}}));

    QJsonArray updates;
    if (!s.updatePackage.isEmpty() || !s.updateVersion.isEmpty()) {
        updates.append(QJsonObject{{QStringLiteral("package"), s.updatePackage},
                                   {QStringLiteral("versionName"), s.updateVersion}});
    }
    server.setJson(get, ServicePaths::update(s.device),
                   json(QJsonObject{{QStringLiteral("updates"), updates}}));
}

bool selectDevice(const QString& device)
{
    ApplicationState* state = ApplicationState::getInstance();
    if (state->getCurrentDevice() == device) {
        state->refreshInfo();
    } else {
        state->setCurrentDevice(device);
    }
    return QTest::qWaitFor([state] { return state->findChildren<BaseReply*>().isEmpty(); }, 20000);
}

bool waitForNetworkIdle()
{
    return QTest::qWaitFor(
        [] { return NetworkManager::getInstance()->findChildren<QNetworkReply*>().isEmpty(); }, 20000);
}
