// Idle cost of the material widgets: a window of them shown and left alone, then hidden. Prints
// CPU time, main-thread wakeups, timer and paint events and animations for each phase, and exits
// with 1 when a phase misses the target (under 0.5 % of one core, no animation, no repaint).
//
// Usage: torvo-bench-idle [--seconds N] [--halo] [--focused]
//   --halo     halo visible on every widget (the client hides it)
//   --focused  the first button holds the focus (with --halo its halo pulses: a visible animation)
#include "IdleProbe.h"
#include "IdleWindow.h"

#include "widgets/QtMaterialRaisedButton.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

void idleFor(int milliseconds)
{
    // One timer, one wakeup: QTest::qWait would poll every few milliseconds.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool report(const char* phase, const IdleProbe::Figures& f)
{
    const bool met =
        f.cpuPercent() < 0.5 && f.animationsStarted == 0 && f.animationsRunning == 0 && f.paintEvents == 0;
    std::printf(
        "%-7s %5.1f s  cpu %6.1f ms = %.3f %% of one core  wakeups %lld  timer events %d  paint events %d"
        "  animations started %d running %d  %s\n",
        phase, f.seconds, f.cpuMilliseconds, f.cpuPercent(), f.wakeups, f.timerEvents, f.paintEvents,
        f.animationsStarted, f.animationsRunning, met ? "ok" : "MISSED");
    std::fflush(stdout);
    return met;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Length of each phase."),
                                           QStringLiteral("seconds"), QStringLiteral("20"));
    const QCommandLineOption haloOption(QStringLiteral("halo"), QStringLiteral("Show the focus halo."));
    const QCommandLineOption focusedOption(QStringLiteral("focused"),
                                           QStringLiteral("Focus the first button."));
    parser.addOptions({secondsOption, haloOption, focusedOption});
    parser.addHelpOption();
    parser.process(app);
    const int phase = qMax(1, parser.value(secondsOption).toInt()) * 1000;

    IdleWindow window(parser.isSet(haloOption));
    window.setFocusPolicy(Qt::StrongFocus);
    IdleProbe probe;
    probe.watchAnimations(&window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never exposed\n");
        return 2;
    }
    // Without a window manager nothing activates the window, and focus needs an active window.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window, 3000))
        std::printf("the window is not active: no widget has the focus\n");
    if (parser.isSet(focusedOption))
        window.firstButton()->setFocus();
    else
        window.setFocus();
    // Start-up: the first layout passes, the first paints and the focus change settle.
    if (!QTest::qWaitFor([&] { return probe.runningAnimations() == 0; }, 5000))
        std::printf("animations still running after start-up\n");
    idleFor(1000);

    std::printf("platform %s, halo %s, %s\n", qPrintable(QGuiApplication::platformName()),
                parser.isSet(haloOption) ? "visible" : "hidden",
                parser.isSet(focusedOption) ? "first button focused" : "nothing focused");
    probe.start();
    idleFor(phase);
    const bool shownMet = report("shown", probe.stop());

    window.hide();
    idleFor(1000);
    probe.start();
    idleFor(phase);
    const bool hiddenMet = report("hidden", probe.stop());
    return shownMet && hiddenMet ? 0 : 1;
}
