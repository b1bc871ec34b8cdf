#pragma once

#include "FaultTable.h"
#include "Scenario.h"
#include "ServiceModel.h"
#include "SimReply.h"
#include "SimTime.h"

#include <memory>
#include <mutex>

// The simulated service as the server sees it: the model with its endpoints, the faults, and the
// control path "/sim/" that the client never calls. Every call takes the one lock, so the server
// may call from any of its threads.
//
// Control path:
//   GET    /sim/state   devices, notification counts and faults
//   POST   /sim/fault   add a fault (see FaultTable::add)
//   DELETE /sim/fault   remove every fault; hanging requests are answered
//   POST   /sim/notify  {"device"?, "module"?, "type"?, "header"?, "message"?}: add a notification
//                       (to every device when "device" is absent)
//   POST   /sim/device  {"device", ...fields of /sim/state}: change a device, e.g. close the shift
//   POST   /sim/reset   back to the scenario
class SimService
{
public:
    SimService(const Scenario& scenario, SimClock clock = {});
    ~SimService();

    Fault faultFor(const QString& method, const QByteArray& target) const;
    SimReply handle(const QString& method, const QByteArray& target, const QByteArray& body);
    // Seconds for which the server should refuse connections, asked for since the last call.
    int takeRefusal();
    // Adds one generated notification to every device.
    void addNotifications();

    static bool isControlPath(const QByteArray& target);

private:
    void reset();
    SimReply control(const QString& method, const QString& path, const QByteArray& body);
    SimReply notify(const QJsonObject& body);
    QJsonObject state() const;

    Scenario scenario;
    SimClock clock;
    mutable std::mutex mutex;
    std::unique_ptr<ServiceModel> model;
    FaultTable faults;
};
