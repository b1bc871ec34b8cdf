#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

// The service simulator in a process of its own, so that its work never counts as the client's.
class SimProcess
{
public:
    // Starts the simulator on a free loopback port with `scenario` over its standard state.
    explicit SimProcess(const QJsonObject& scenario);
    ~SimProcess();

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // 0 when the simulator did not start.
    int port() const { return listeningPort; }

    // One device named `id` with `count` notifications.
    static QJsonObject oneDevice(const QString& id, int count);

private:
    QTemporaryDir dir;
    QProcess process;
    int listeningPort = 0;
};
