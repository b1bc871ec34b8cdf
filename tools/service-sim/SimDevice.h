#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// The life of a service instance as the operator drives it: set-up, start, registration.
enum class ServiceState
{
    NotConfigured,
    Stopped,
    Running,
    Registered
};

QString serviceStateText(ServiceState state);
bool serviceStateFromText(const QString& text, ServiceState& state);

// The service's link to one outside party: an error text while it fails, and when it last worked.
struct ModuleLink
{
    QString error;
    QDateTime lastConnection;
};

// Everything the service knows about one device: a cash register with its service instance, or a
// service instance without a register of its own.
struct SimDevice
{
    QString id; // the register's serial, or the instance identifier
    bool hasRegister = true;

    QString modelName;
    QString fnSerial;
    QString kktRnm;
    QString kktInn;
    QString shiftState;

    ServiceState state = ServiceState::NotConfigured;
    QString version;
    QString velkorId;
    QString gismtVelkorId;
    QString updatePackage;
    QString updateVersion;
    bool updateQueued = false;

    bool compatibilityMode = false;
    bool allowRemoteConnection = false;
    QString gismtAddress;

    QString lmAddress;
    int lmPort = 0;
    QString lmLogin;
    QString lmPassword;
    QString lmStatus; // the wire code: "ready", "sync_error", ...
    QString lmVersion;
    QDateTime lmLastSync;

    ModuleLink gismt;
    ModuleLink lm;
    ModuleLink zel;
    ModuleLink software;
    QString softwareName;
    QString softwareVersion;

    QStringList journal; // service-log lines, oldest first

    bool isRunning() const { return state == ServiceState::Running || state == ServiceState::Registered; }

    QJsonObject toJson() const;
    // Overwrites the fields named in `object` (the keys of toJson()); returns an error text for a
    // key of the wrong type or an unknown state, and then changes nothing.
    QString apply(const QJsonObject& object);
};
