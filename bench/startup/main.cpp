// Start-up of the real client beside a minimal Qt Widgets program (a main window with a label)
// on the same X display, runs alternating: the time from the start of the process to its main
// window being mapped, and the resident memory once it has gone idle after start-up. The client
// talks to the simulator, in a process of its own, as it would to the service.
//
// Usage: torvo-bench-startup --client PATH --minimal PATH [--runs N]
#include "BenchReport.h"
#include "ChildProcess.h"
#include "MapWatch.h"
#include "SimulatorProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Sample
{
    double mapMs = -1;
    double cpuMs = 0; // CPU time of all its threads until the window was mapped
    long residentKiB = 0;
};

// The CPU time the process has used, in milliseconds, to the nanosecond the scheduler counts.
double cpuOfProcess(pid_t pid)
{
    double ns = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly)) {
            ns += schedstat.readAll().split(' ').value(0).toDouble();
        }
    }
    return ns / 1e6;
}

Sample runOnce(MapWatch& watch, const QString& program, const QStringList& environment)
{
    watch.drain();
    ChildProcess child(program, {}, environment);
    Sample sample;
    if (!child.isStarted()) {
        return sample;
    }
    const double mapped = watch.waitForMap("Torvo", 60000);
    if (mapped < 0) {
        return sample;
    }
    sample.mapMs = mapped - child.startedAt();
    sample.cpuMs = cpuOfProcess(child.processId());
    child.waitUntilIdle();
    sample.residentKiB = child.residentKiB();
    return sample;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString client;
    QString minimal;
    int runs = 11;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments.at(i) == QLatin1String("--client")) {
            client = arguments.at(i + 1);
        } else if (arguments.at(i) == QLatin1String("--minimal")) {
            minimal = arguments.at(i + 1);
        } else if (arguments.at(i) == QLatin1String("--runs")) {
            runs = qMax(1, arguments.at(i + 1).toInt());
        }
    }
    if (client.isEmpty() || minimal.isEmpty()) {
        std::fprintf(stderr, "usage: torvo-bench-startup --client PATH --minimal PATH [--runs N]\n");
        return 2;
    }
    MapWatch watch;
    if (!watch.isOpen()) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    SimulatorProcess sim;
    if (!sim.start()) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 2;
    }
    // The client's own configuration folder, naming the simulator's port.
    QTemporaryDir data;
    QDir().mkpath(data.filePath(QStringLiteral("zel/torvo/torvo-gui")));
    QFile settings(data.filePath(QStringLiteral("zel/torvo/torvo-gui/gui_settings.json")));
    settings.open(QIODevice::WriteOnly);
    settings.write(QStringLiteral("{\n    \"port\": %1\n}\n").arg(sim.port()).toUtf8());
    settings.close();
    const QStringList clientEnvironment{QStringLiteral("PROGRAMDATA=") + data.path()};

    // One of each first, so that both start from files the system has cached.
    runOnce(watch, client, clientEnvironment);
    runOnce(watch, minimal, {});
    std::vector<double> clientMs, minimalMs, clientCpu, minimalCpu, clientKiB, minimalKiB;
    for (int run = 0; run < runs; ++run) {
        // Alternating which goes first keeps a trend of the machine from favouring either.
        for (int turn = 0; turn < 2; ++turn) {
            const bool isClient = (turn == 0) == (run % 2 == 0);
            const Sample sample =
                runOnce(watch, isClient ? client : minimal, isClient ? clientEnvironment : QStringList());
            if (sample.mapMs < 0) {
                std::fprintf(stderr, "%s: no window was mapped\n", isClient ? "client" : "minimal");
                return 1;
            }
            (isClient ? clientMs : minimalMs).push_back(sample.mapMs);
            (isClient ? clientCpu : minimalCpu).push_back(sample.cpuMs);
            (isClient ? clientKiB : minimalKiB).push_back(double(sample.residentKiB));
            std::printf("  run %d %-8s %7.1f ms to the window (CPU %6.1f ms), %6.1f MiB resident\n", run + 1,
                        isClient ? "client" : "minimal", sample.mapMs, sample.cpuMs,
                        sample.residentKiB / 1024.0);
            std::fflush(stdout);
        }
    }

    const double clientStart = median(clientMs);
    const double minimalStart = median(minimalMs);
    const double ratio = clientStart / minimalStart;
    printResult({QStringLiteral("Start-up: process start → main window mapped"), runs, formatMs(clientStart),
                 QStringLiteral("minimal program %1").arg(formatMs(minimalStart)),
                 QStringLiteral("%1 ×").arg(ratio, 0, 'f', 2), QStringLiteral("≤ 1.15 ×"),
                 metText(ratio <= 1.15)});
    const double cpuRatio = median(clientCpu) / median(minimalCpu);
    printResult({QStringLiteral("Start-up: CPU time of the process until its window is mapped"), runs,
                 formatMs(median(clientCpu)),
                 QStringLiteral("minimal program %1").arg(formatMs(median(minimalCpu))),
                 QStringLiteral("%1 ×").arg(cpuRatio, 0, 'f', 2), QString(), QString()});
    const double clientMemory = median(clientKiB);
    const double minimalMemory = median(minimalKiB);
    printResult({QStringLiteral("Resident memory after start-up"), runs, formatMiB(clientMemory),
                 QStringLiteral("minimal program %1").arg(formatMiB(minimalMemory)),
                 QStringLiteral("+%1").arg(formatMiB(clientMemory - minimalMemory)), QString(), QString()});
    return 0;
}
