#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// What the simulator does to one request instead of, or before, answering it.
struct Fault
{
    QString path;   // applies to every path that begins with it; empty: every service path
    QString method; // empty: every method
    int status = 0; // answer this HTTP status with an error body instead of the service's reply
    int latencyMs = 0;
    bool hang = false;    // never answer
    bool notJson = false; // answer 200 with a body that is not JSON
    bool endless = false; // answer 200 with a body that never ends

    bool isEmpty() const { return status == 0 && latencyMs == 0 && !hang && !notJson && !endless; }
    QJsonObject toJson() const;
};

// The faults switched on by the scenario or through POST /sim/fault. Faults never touch "/sim/".
class FaultTable
{
public:
    // Reads {"path", "method", "status" | "latency" | "hang" | "notJson" | "endless" | "refuse",
    // "seconds"}.
    // A fault for the same path and method replaces the earlier one; "refuse" asks the server to
    // stop listening for "seconds" (default 10). Returns an error text, or an empty one.
    QString add(const QJsonObject& object);
    void clear();

    // The combined fault for a request: the largest delay, hang, non-JSON or endless when any
    // matching fault says so, and the status of the most recently added matching fault.
    Fault match(const QString& method, const QString& path) const;

    // Seconds of refusal asked for since the last call, or 0.
    int takeRefusal();

    QJsonArray toJson() const;

private:
    QList<Fault> faults;
    int pendingRefusal = 0;
};
