// Notifications at scale: N notifications (default 1,000, 10,000 and 50,000) loaded page by page
// through the real notifications page (state, table, requests) from the simulator in its own
// process, by scrolling to the end after each page. Prints the CPU time of the process per page
// and in total, the shape of the curve (CPU per page by tenths of the load) and the log written.
// At 10,000 it also times, on the loaded table, a module filter change, "read all" and
// "delete all" (from the command to the rows shown anew, the service's answer included).
//
// Usage: torvo-bench-notification-scale [--runs R] [N...]
#include "BenchClock.h"
#include "BenchEnvironment.h"
#include "BenchReport.h"
#include "PaintWatch.h"
#include "ScrollLoader.h"
#include "SimulatorProcess.h"
#include "WaitFor.h"

#include "app/ApplicationState.h"
#include "app/Settings.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>

namespace {

const QString device = QStringLiteral("00106709871234");
const int opsCount = 10000;

struct Run
{
    double cpuMs = 0;
    double wallMs = 0;
    int pages = 0;
    int paints = 0;
    qint64 logBytes = 0;
    qint64 logLines = 0;
    std::vector<double> tenths; // mean CPU per page in each tenth of the rows
    double filterOneMs = 0;
    double filterAllMs = 0;
    double markAllMs = 0;
    double deleteAllMs = 0;
    bool ok = false;
};

// Points the client at the simulator of this run; the port is read from the settings file.
void usePort(int port)
{
    QFile settings(Settings::getSettingsPath());
    settings.open(QIODevice::WriteOnly | QIODevice::Truncate);
    settings.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    settings.close();
    Settings::getInstance()->configurate();
}

PaintWatch* paintsOf(NotificationTable* table)
{
    return table->viewport()->findChild<PaintWatch*>();
}

// Runs `command`, waits until the state has sent its next collection and the table has shown
// it, and returns the CPU clock then.
double cpuWhenChanged(NotificationState* state, NotificationTable* table,
                      const std::function<void()>& command)
{
    bool changed = false;
    int paintsBefore = 0;
    const QMetaObject::Connection connection =
        QObject::connect(state, &NotificationState::notificationChanged, state, [&] {
            changed = true;
            paintsBefore = paintsOf(table)->paints();
        });
    command();
    waitFor([&changed] { return changed; }, 60000);
    paintsOf(table)->waitForPaintAfter(paintsBefore);
    QObject::disconnect(connection);
    return BenchClock::processCpuMs();
}

// Answers the next question box with Yes once it is open; the clock starts at the answer.
void answerYes(double& answeredAt)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &answeredAt] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answeredAt = BenchClock::processCpuMs();
        box->button(QMessageBox::Yes)->click();
    });
    poll->start(0);
}

void timeOperations(NotificationsPage& page, Run& run)
{
    NotificationTable* table = page.findChild<NotificationTable*>();
    NotificationState* state = page.getState();

    double start = BenchClock::processCpuMs();
    int paints = paintsOf(table)->paints();
    table->setModuleFilter({GISMT});
    paintsOf(table)->waitForPaintAfter(paints);
    run.filterOneMs = BenchClock::processCpuMs() - start;
    start = BenchClock::processCpuMs();
    paints = paintsOf(table)->paints();
    table->setModuleFilter(defaultModuleFilter());
    paintsOf(table)->waitForPaintAfter(paints);
    run.filterAllMs = BenchClock::processCpuMs() - start;

    start = BenchClock::processCpuMs();
    run.markAllMs = cpuWhenChanged(state, table, [table] { table->markAllAsRead(); }) - start;

    double answeredAt = 0;
    const double shown = cpuWhenChanged(state, table, [table, &answeredAt] {
        answerYes(answeredAt);
        table->deleteAllRows();
    });
    run.deleteAllMs = shown - answeredAt;
}

Run runOnce(int count)
{
    Run run;
    SimulatorProcess sim;
    const QJsonObject oneDevice{
        {QStringLiteral("devices"), QJsonArray{QJsonObject{{QStringLiteral("id"), device}}}},
        {QStringLiteral("notifications"), count},
    };
    if (!sim.start({}, oneDevice)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return run;
    }
    usePort(sim.port());
    NotificationsPage page;
    page.resize(1000, 700);
    page.show();
    ApplicationState::getInstance()->setCurrentDevice(device);
    if (!ScrollLoader::settle()) {
        return run;
    }
    ScrollLoader loader(&page);
    const qint64 logBytes = BenchEnvironment::logBytes();
    const qint64 logLines = BenchEnvironment::logLines();
    if (!loader.loadAll()) {
        std::fprintf(stderr, "no page arrived for a minute\n");
        return run;
    }
    run.logBytes = BenchEnvironment::logBytes() - logBytes;
    run.logLines = BenchEnvironment::logLines() - logLines;
    run.cpuMs = loader.totalCpuMs();
    run.wallMs = loader.wallMs();
    run.pages = loader.pages().size();
    run.paints = loader.paintCount();
    if (loader.pages().last().rows != count) {
        std::fprintf(stderr, "%d rows loaded of %d\n", loader.pages().last().rows, count);
        return run;
    }

    // A page counts in the tenth of the rows held when it was asked for; the first page (20
    // rows, with the reload) is left out.
    std::vector<double> sums(10, 0);
    std::vector<int> pages(10, 0);
    for (int i = 1; i < loader.pages().size(); ++i) {
        const int tenth = qMin(9, loader.pages().at(i - 1).rows * 10 / count);
        sums[tenth] += loader.pages().at(i).cpuMs;
        ++pages[tenth];
    }
    for (int tenth = 0; tenth < 10; ++tenth) {
        run.tenths.push_back(pages[tenth] ? sums[tenth] / pages[tenth] : 0);
    }

    if (count == opsCount) {
        timeOperations(page, run);
    }
    run.ok = true;
    return run;
}

QString thousands(int n)
{
    return QLocale(QLocale::English).toString(n);
}

template <typename F> double medianOf(const std::vector<Run>& runs, F field)
{
    std::vector<double> values;
    for (const Run& run : runs) {
        values.push_back(field(run));
    }
    return median(values);
}

bool report(int count, const std::vector<Run>& runs, std::map<int, double>& totals)
{
    const int n = int(runs.size());
    const double cpu = medianOf(runs, [](const Run& r) { return r.cpuMs; });
    totals[count] = cpu;
    std::printf("\n%s notifications, %d pages, %d paints of the table, median of %d runs: CPU %.0f ms (wall "
                "%.0f ms), log %.2f MiB in %.0f lines\n",
                qPrintable(thousands(count)), runs.front().pages, runs.front().paints, n, cpu,
                medianOf(runs, [](const Run& r) { return r.wallMs; }),
                medianOf(runs, [](const Run& r) { return double(r.logBytes); }) / 1048576.0,
                medianOf(runs, [](const Run& r) { return double(r.logLines); }));
    for (int tenth = 0; tenth < 10; ++tenth) {
        const double perPage = medianOf(runs, [tenth](const Run& r) { return r.tenths[tenth]; });
        std::printf("CURVE\t%d\t%d\t%.2f\n", count, (tenth + 1) * count / 10, perPage);
    }
    const double first = medianOf(runs, [](const Run& r) { return r.tenths.front(); });
    const double last = medianOf(runs, [](const Run& r) { return r.tenths.back(); });

    BenchResult load;
    load.what = QStringLiteral("CPU to load %1 notifications by scrolling (20, then pages of 100)")
                    .arg(thousands(count));
    load.runs = n;
    load.median = formatMs(cpu);
    if (count == opsCount) {
        load.goal = QStringLiteral("≤ 1000 ms");
        load.met = metText(cpu <= 1000);
    } else if (totals.count(opsCount)) {
        const double linear = totals[opsCount] * count / opsCount;
        load.baseline = QStringLiteral("%1 × the 10,000 figure = %2")
                            .arg(double(count) / opsCount, 0, 'g', 3)
                            .arg(formatMs(linear));
        // Growth that is not linear shows as a higher cost per notification at the larger count;
        // a higher one at the smaller count is the fixed cost of the first pages.
        const double growth = count > opsCount ? cpu / linear : linear / cpu;
        load.ratio = QStringLiteral("%1").arg(growth, 0, 'f', 2);
        load.goal = QStringLiteral("linear: per notification at the larger count ≤ 1.3 × the smaller");
        load.met = metText(growth <= 1.3);
    }
    printResult(load);

    BenchResult curve;
    curve.what = QStringLiteral("CPU per page at %1: last tenth of the rows vs first").arg(thousands(count));
    curve.runs = n;
    curve.median = QStringLiteral("%1 ms vs %2 ms").arg(last, 0, 'f', 2).arg(first, 0, 'f', 2);
    curve.ratio = QStringLiteral("%1").arg(first > 0 ? last / first : 0, 0, 'f', 2);
    // Below 10,000 a tenth is a page or two and the rows held too few to weigh: shown, not judged.
    if (count >= opsCount) {
        curve.goal = QStringLiteral("flat: ratio ≤ 1.5");
        curve.met = metText(first > 0 && last / first <= 1.5);
    }
    printResult(curve);

    if (count != opsCount) {
        return true;
    }
    const double log = medianOf(runs, [](const Run& r) { return double(r.logBytes); });
    printResult({QStringLiteral("Log written by the scroll through 10,000"), n,
                 QStringLiteral("%1 MiB, %2 lines")
                     .arg(log / 1048576.0, 0, 'f', 2)
                     .arg(medianOf(runs, [](const Run& r) { return double(r.logLines); }), 0, 'f', 0),
                 QString(), QString(), QStringLiteral("≤ 5 MiB"), metText(log <= 5 * 1048576.0)});
    const double filterOne = medianOf(runs, [](const Run& r) { return r.filterOneMs; });
    const double filterAll = medianOf(runs, [](const Run& r) { return r.filterAllMs; });
    printResult({QStringLiteral("Module filter change at 10,000: to one module / back to all"), n,
                 QStringLiteral("%1 / %2").arg(formatMs(filterOne), formatMs(filterAll)), QString(),
                 QString(), QStringLiteral("≤ 50 ms"), metText(qMax(filterOne, filterAll) <= 50)});
    printResult({QStringLiteral("\"Прочитать все\" at 10,000 (request and answer included)"), n,
                 formatMs(medianOf(runs, [](const Run& r) { return r.markAllMs; })), QString(), QString(),
                 QString(), QString()});
    printResult({QStringLiteral("\"Удалить все\" at 10,000, from \"Yes\" (request and answer included)"), n,
                 formatMs(medianOf(runs, [](const Run& r) { return r.deleteAllMs; })), QString(), QString(),
                 QString(), QString()});
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    BenchEnvironment environment(0);
    if (!environment.isValid()) {
        std::fprintf(stderr, "cannot prepare the configuration folder\n");
        return 2;
    }
    QApplication app(argc, argv);
    int runs = 5;
    QList<int> counts;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--runs") && i + 1 < arguments.size()) {
            runs = qMax(1, arguments.at(++i).toInt());
        } else {
            counts.append(arguments.at(i).toInt());
        }
    }
    if (counts.isEmpty()) {
        counts = {10000, 1000, 50000};
    }

    std::printf("CPU time of the whole process (user + system, all threads); the simulator runs apart\n");
    std::map<int, double> totals;
    for (int count : counts) {
        std::vector<Run> done;
        for (int i = 0; i < runs; ++i) {
            Run run = runOnce(count);
            if (!run.ok) {
                return 1;
            }
            std::printf("  run %d: %d notifications, CPU %.0f ms\n", i + 1, count, run.cpuMs);
            std::fflush(stdout);
            done.push_back(run);
        }
        report(count, done, totals);
    }
    return 0;
}
