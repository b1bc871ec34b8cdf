#pragma once

#include "SimDevice.h"

#include <QJsonArray>
#include <QList>

// What the simulated service starts with: its devices, how many notifications each has, and the
// faults and delay that are on from the start.
struct Scenario
{
    QList<SimDevice> devices;
    int notificationsPerDevice = 240;
    int latencyMs = 0;
    quint32 seed = 2026;
    QJsonArray faults; // objects in the form of POST /sim/fault

    // Two cash registers (shift open, not set up; shift closed, registered) and one instance.
    static Scenario standard(const QDateTime& now);
    // A device with working defaults for every field but the identifier.
    static SimDevice templateDevice(const QString& id, const QDateTime& now);
    // A scenario file over the standard scenario: "devices" replaces the devices (each starting
    // from the template), the other keys replace their values. Returns an error text, or an empty one.
    static QString read(const QByteArray& json, const QDateTime& now, Scenario& scenario);
};
