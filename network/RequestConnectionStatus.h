#pragma once

#include "network/DeviceRequest.h"

struct ModuleConnection
{
    QString error;
    QString lastConnection;
    QString status;
};

// How the service's connections to ГИС МТ, ЛМ, zel and the cash software stand.
class RequestConnectionStatus : public DeviceRequest
{
    Q_OBJECT

public:
    explicit RequestConnectionStatus(QObject* parent);

    void processReply(QNetworkReply* reply) override;
    QString readJson(const QJsonObject& object) override;

    ModuleConnection getGismt() const;
    ModuleConnection getLm() const;
    ModuleConnection getZel() const;
    ModuleConnection getSoftware() const;
    QString getSoftwareName() const;
    QString getSoftwareVersion() const;

    // A module's status text: its error when there is one, else whether it ever connected.
    QString getConenctionStatus(QString error, QString lastConnection) const;

private:
    ModuleConnection readModule(const QJsonObject& module) const;

    ModuleConnection gismt;
    ModuleConnection lm;
    ModuleConnection zel;
    ModuleConnection software;
    QString softwareName;
    QString softwareVersion;
};
