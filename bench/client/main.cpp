// The whole client in one process, built as main() builds it, against the simulator in a
// process of its own, on the X display it is given (with a tray host):
//
//   --memory N --minimal PATH   resident memory after start-up and after N notifications of the
//                               first register loaded by scrolling, beside the minimal program;
//                               three runs, each in a fresh process
//   --idle S                    S seconds shown and S seconds hidden to the tray, left alone:
//                               CPU, wake-ups, timer events and paints
//
// The 5-minute poll of the notification state is the only wake-up the client's logic has; it
// does not fall within a phase shorter than five minutes.
#include "BenchClock.h"
#include "BenchEnvironment.h"
#include "BenchReport.h"
#include "ChildProcess.h"
#include "IdleProbe.h"
#include "ScrollLoader.h"
#include "SimulatorProcess.h"
#include "WaitFor.h"

#include "ui/ContentFrame.h"
#include "ui/HeaderFrame.h"
#include "ui/MainWindow.h"
#include "widgets/QtMaterialTabs.h"

#include <QApplication>
#include <QEventLoop>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// Quiet time with the event loop asleep: what is left of start-up (the start balloon hides after
// three seconds) is over by then.
void pause(int milliseconds)
{
    bool done = false;
    QTimer::singleShot(milliseconds, qApp, [&done] { done = true; });
    waitFor([&done] { return done; }, milliseconds + 60000);
}

// The simulator and the configuration folder outlive the application object; the window,
// declared after it, goes first.
struct Client
{
    std::unique_ptr<SimulatorProcess> sim;
    std::unique_ptr<BenchEnvironment> environment;
};

// Settings and logging are configured before the application object exists, as main() does.
bool startSimulator(Client& client, int notifications)
{
    QJsonObject scenario;
    if (notifications >= 0) {
        scenario.insert(QStringLiteral("notifications"), notifications);
    }
    client.sim = std::make_unique<SimulatorProcess>();
    if (!client.sim->start({}, scenario)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return false;
    }
    client.environment = std::make_unique<BenchEnvironment>(client.sim->port());
    return client.environment->isValid();
}

std::unique_ptr<MainWindow> showWindow()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    auto window = std::make_unique<MainWindow>();
    window->show();
    // Start-up: the device lists, the first register's status and notifications.
    if (!ScrollLoader::settle()) {
        std::fprintf(stderr, "start-up requests did not end\n");
        return nullptr;
    }
    pause(5000);
    return window;
}

int memoryRun(int argc, char* argv[], int notifications)
{
    Client client;
    if (!startSimulator(client, notifications)) {
        return 2;
    }
    QApplication app(argc, argv);
    const std::unique_ptr<MainWindow> window = showWindow();
    if (!window) {
        return 2;
    }
    const long afterStart = BenchClock::residentKiB();
    window->getHeaderFrame()->getTabs()->setCurrentTab(ContentFrame::notificationsPageIndex);
    ScrollLoader loader(window->getContentFrame()->getNotificationsPage());
    if (!loader.loadAll() || !ScrollLoader::settle()) {
        std::fprintf(stderr, "the notifications did not load\n");
        return 2;
    }
    pause(2000);
    std::printf("RUN\t%ld\t%ld\t%d\t%.0f\n", afterStart, BenchClock::residentKiB(),
                loader.pages().isEmpty() ? 0 : loader.pages().last().rows, loader.totalCpuMs());
    return 0;
}

long minimalResidentKiB(const QString& minimal)
{
    ChildProcess child(minimal, {});
    if (!child.isStarted()) {
        return 0;
    }
    // Mapped, painted and idle: a few seconds without CPU.
    child.waitUntilIdle(2000, 30000);
    return child.residentKiB();
}

int memory(const QCoreApplication& app, int notifications, const QString& minimal)
{
    const int runs = 3;
    std::vector<double> started, loaded, baseline, cpu;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(app.applicationFilePath(),
                    {QStringLiteral("--memory-run"), QString::number(notifications)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            std::fprintf(stderr, "memory run %d failed\n", run + 1);
            return 1;
        }
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() == 5 && fields.at(0) == "RUN") {
                started.push_back(fields.at(1).toDouble());
                loaded.push_back(fields.at(2).toDouble());
                rows = fields.at(3).toInt();
                cpu.push_back(fields.at(4).toDouble());
            }
        }
        baseline.push_back(double(minimalResidentKiB(minimal)));
        std::printf("  run %d: client %.1f MiB after start-up, %.1f MiB with %d notifications; minimal "
                    "program %.1f MiB\n",
                    run + 1, started.back() / 1024, loaded.back() / 1024, rows, baseline.back() / 1024);
        std::fflush(stdout);
    }
    if (rows != notifications) {
        std::fprintf(stderr, "%d rows loaded of %d\n", rows, notifications);
        return 1;
    }
    const double minimalKiB = median(baseline);
    const double startedKiB = median(started);
    const double loadedKiB = median(loaded);
    printResult({QStringLiteral("Resident memory after start-up (whole client in one process)"), runs,
                 formatMiB(startedKiB), QStringLiteral("minimal program %1").arg(formatMiB(minimalKiB)),
                 QStringLiteral("+%1").arg(formatMiB(startedKiB - minimalKiB)), QString(), QString()});
    printResult({QStringLiteral("Resident memory with %1 notifications loaded").arg(notifications), runs,
                 formatMiB(loadedKiB), QStringLiteral("minimal program %1").arg(formatMiB(minimalKiB)),
                 QStringLiteral("+%1").arg(formatMiB(loadedKiB - minimalKiB)), QStringLiteral("≤ +20 MiB"),
                 metText(loadedKiB - minimalKiB <= 20 * 1024)});
    printResult({QStringLiteral("CPU to load them by scrolling in the whole window"), runs,
                 formatMs(median(cpu)), QString(), QString(), QStringLiteral("≤ 1000 ms"),
                 metText(median(cpu) <= 1000)});
    return 0;
}

// Qt's own one-off tails of the start and of the hide, not wake-ups of the client: the pixmap
// cache shrinks every 30 s until it is empty and then stops its timer; the tray's balloon hides
// itself once. They are listed, and do not count against the goal.
bool isQtTail(const QString& receiver)
{
    return receiver == QLatin1String("QPMCache") || receiver == QLatin1String("QBalloonTip");
}

bool reportIdle(const char* phase, const IdleProbe::Figures& f)
{
    int ownTimerEvents = f.timerEvents;
    for (auto it = f.timerReceivers.cbegin(); it != f.timerReceivers.cend(); ++it) {
        ownTimerEvents -= isQtTail(it.key()) ? it.value() : 0;
    }
    const bool met = ownTimerEvents == 0 && f.paintEvents == 0 && f.animationsRunning == 0;
    std::printf("  %-7s %5.1f s  cpu %6.1f ms = %.3f %% of one core  wakeups %lld  timer events %d  "
                "paint events %d\n",
                phase, f.seconds, f.cpuMilliseconds, f.cpuPercent(), f.wakeups, f.timerEvents, f.paintEvents);
    for (auto it = f.timerReceivers.cbegin(); it != f.timerReceivers.cend(); ++it) {
        std::printf("           timer events of %s: %d%s\n", qPrintable(it.key()), it.value(),
                    isQtTail(it.key()) ? " (Qt's own tail, not counted)" : "");
    }
    printResult(
        {QStringLiteral("Idle %1 %2 s: CPU, timer events, paints").arg(phase).arg(f.seconds, 0, 'f', 0), 1,
         QStringLiteral("%1 %; %2 timer events (%3 of the client's), %4 paints, %5 wake-ups")
             .arg(f.cpuPercent(), 0, 'f', 3)
             .arg(f.timerEvents)
             .arg(ownTimerEvents)
             .arg(f.paintEvents)
             .arg(f.wakeups),
         QString(), QString(), QStringLiteral("0 timer events of the client, 0 paints"), metText(met)});
    return met;
}

int idle(int argc, char* argv[], int seconds)
{
    Client client;
    if (!startSimulator(client, -1)) {
        return 2;
    }
    QApplication app(argc, argv);
    const std::unique_ptr<MainWindow> window = showWindow();
    if (!window) {
        return 2;
    }
    IdleProbe probe;
    probe.watchAnimations(window.get());
    // One timer ends each phase; the loop sleeps until then.
    QTimer phaseEnd;
    phaseEnd.setSingleShot(true);
    probe.ignore(&phaseEnd);
    QEventLoop loop;
    QObject::connect(&phaseEnd, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto idleFor = [&](const char* phase) {
        probe.start();
        phaseEnd.start(seconds * 1000);
        loop.exec();
        return reportIdle(phase, probe.stop());
    };
    const bool shown = idleFor("shown");
    // Closing hides the window to the tray, with a balloon that goes after two seconds.
    window->close();
    pause(3000);
    const bool hidden = idleFor("hidden");
    return shown && hidden ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QString mode;
    int value = 0;
    QString minimal;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--memory" || argument == "--memory-run" || argument == "--idle") {
            mode = QString::fromLatin1(argument);
            value = QByteArray(argv[++i]).toInt();
        } else if (argument == "--minimal") {
            minimal = QString::fromLocal8Bit(argv[++i]);
        }
    }
    if (mode == QLatin1String("--memory-run")) {
        return memoryRun(argc, argv, value);
    }
    if (mode == QLatin1String("--idle")) {
        return idle(argc, argv, qMax(1, value));
    }
    if (mode == QLatin1String("--memory") && !minimal.isEmpty()) {
        QCoreApplication app(argc, argv);
        return memory(app, value, minimal);
    }
    std::fprintf(stderr, "usage: torvo-bench-client --memory N --minimal PATH | --idle SECONDS\n");
    return 2;
}
