#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The simulator program in a process of its own on a free loopback port, as the tests and the
// benchmarks start it. What it prints goes to a file: no pipe waits for an event loop to empty it
// (a full one stops the simulator), and the caller spends nothing on it until it reads.
class SimulatorProcess
{
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();

    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts it with `options` besides "--port 0", and `scenario`, when not empty, as its
    // scenario file, then waits (without an event loop) for the line that names its port. False
    // when it did not start; output() then says why. A running one is stopped first.
    bool start(const QStringList& options = {}, const QJsonObject& scenario = {});
    // Ends it: asked first, killed if it has not ended within 20 s. True when it ended as asked
    // (or was not running).
    bool stop();

    // The simulator program itself.
    static QString program();

    int port() const { return listeningPort; } // 0 until started
    qint64 processId() const { return process.processId(); }
    bool isRunning() const { return process.state() != QProcess::NotRunning; }

    // Everything it printed since its start, standard output and error, lines ended by '\n'.
    QByteArray output() const;
    // The whole lines it printed since the last call (or its start), without the line breaks.
    QList<QByteArray> takeLines();

private:
    QTemporaryDir dir;
    QProcess process;
    int listeningPort = 0;
    qint64 linesTaken = 0; // bytes of the output that takeLines() has returned
};
