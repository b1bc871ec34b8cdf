#pragma once

#include "LogExport.h"
#include "NotificationBook.h"
#include "Scenario.h"
#include "SimReply.h"
#include "SimTime.h"

#include <QList>

struct LmSettingsChange
{
    QString address;
    int port = 0;
    QString login;
    QString password;
    QString newPassword; // empty: keep the password
};

// The state of the simulated service and the operations that change it, answered as the HTTP
// replies of their endpoints (the plain reads are DeviceReplies). No sockets and no locking: the server
// serialises the calls.
class ServiceModel
{
public:
    ServiceModel(const Scenario& scenario, SimClock clock);

    SimReply setup(const QString& device);
    SimReply start(const QString& device);
    SimReply registration(const QString& device, const QString& kktSerial, const QString& fnSerial,
                          const QString& kktInn);

    // Installs at once when the shift is closed (or there is no register); queues it otherwise.
    SimReply upgrade(const QString& device, const QString& package, const QString& versionName);

    SimReply updateSettings(const QString& device, bool compatibilityMode, bool allowRemoteConnection,
                            const QString& gismtAddress);
    SimReply updateLmSettings(const QString& device, const LmSettingsChange& change);

    SimReply exportLog(const QString& device, LogExport::Kind kind, const QString& folder);

    bool hasDevice(const QString& device) const { return find(device) != nullptr; }
    // The device with this identifier, or null.
    const SimDevice* device(const QString& id) const { return find(id); }
    const QList<SimDevice>& allDevices() const { return devices; }
    QStringList deviceIds() const;
    NotificationBook& notifications() { return book; }
    const NotificationBook& notifications() const { return book; }
    QDateTime now() const { return clock(); }

    // Control: overwrite fields of a device (SimDevice::apply keys); closing the shift installs
    // a queued upgrade. Returns an error text, or an empty one.
    QString changeDevice(const QString& device, const QJsonObject& fields);
    QJsonObject state() const;

    // 404 {"error": ...} for an unknown device.
    static SimReply unknownDevice(const QString& device);

private:
    const SimDevice* find(const QString& id) const;
    SimDevice* find(const QString& id);
    void record(SimDevice& device, const QString& line);
    void notify(const SimDevice& device, const QString& module, const QString& type, const QString& header,
                const QString& message);
    void install(SimDevice& device);

    QList<SimDevice> devices;
    NotificationBook book;
    SimClock clock;
    int nextVelkorNumber = 201;
};
