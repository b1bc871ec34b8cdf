// Times NotificationTable::updateFromState with the id index and with the plain scan of every
// row, on the same records in the same run: into an empty table, the same records again, the
// same records with a tenth missing, and last an empty collection, as the reload button sends.
// Also times the log lines alone, which every sync writes once per record.
//
// Usage: torvo-bench-notification-sync [--index-only] [--quiet-log] [SIZE...]   (default: 20 10000)
// --index-only skips the plain scan, for profiling the indexed sync.
// --quiet-log sets the GUI category to INFO in the logging properties, as an administrator may,
// so that the sync's debug lines are dropped: what the sync costs without writing its log.
#include "app/Logger.h"
#include "app/Settings.h"
#include "notifications/NotificationRoles.h"
#include "notifications/NotificationTable.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#ifdef Q_OS_UNIX
#include <time.h>
#endif

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

enum Phase
{
    Fill,
    Again,
    Missing,
    Emptied,
    PhaseCount
};
const char* const phaseNames[PhaseCount] = {"into empty table", "same records again", "a tenth missing",
                                            "emptied (reload)"};

// The CPU time of this thread where the system offers it: on a machine busy with other work
// it varies far less than the wall clock. Elsewhere, the wall clock.
class Stopwatch
{
public:
    Stopwatch() { start = now(); }
    double ms() const { return (now() - start) / 1e6; }
    static const char* what()
    {
#ifdef Q_OS_UNIX
        return "CPU time of the GUI thread";
#else
        return "wall time";
#endif
    }

private:
    static qint64 now()
    {
#ifdef Q_OS_UNIX
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
#else
        static QElapsedTimer clock;
        if (!clock.isValid()) {
            clock.start();
        }
        return clock.nsecsElapsed();
#endif
    }
    qint64 start;
};

NotificationHash records(int count)
{
    NotificationHash hash;
    const QDateTime base(QDate(2026, 12, 8), QTime(10, 0), QTimeZone(3 * 3600));
    for (int id = 1; id <= count; ++id) {
        NotificationInfo info;
        info.id = id;
        info.header = QStringLiteral("Уведомление %1").arg(id);
        info.message = QStringLiteral("Текст уведомления номер %1 о состоянии модуля").arg(id);
        info.notificationModule = NotificationModule(id % 7);
        info.notificationType = NotificationType(id % 3);
        info.isRead = info.notificationType == Read;
        info.dateTime = base.addSecs(37 * id).toString(Qt::ISODate);
        hash.insert(id, info);
    }
    return hash;
}

NotificationHash withoutTenth(NotificationHash hash)
{
    for (int id = 10; id <= hash.size() + hash.size() / 9 + 10; id += 10) {
        hash.remove(id);
    }
    return hash;
}

QList<int> rowIds(NotificationTable& table)
{
    QList<int> ids;
    const QAbstractItemModel* model = table.QTableView::model();
    for (int row = 0; row < model->rowCount(); ++row) {
        ids.append(model->index(row, 2).data(IdRole).toInt());
    }
    return ids;
}

struct Run
{
    double ms[PhaseCount] = {};
    QList<int> rows[PhaseCount];
};

// One table, shown as the operator would see it, through the three syncs. Deferred layout
// work that a sync leaves behind is counted with it.
Run runOnce(const NotificationHash& full, const NotificationHash& missing, bool indexed)
{
    NotificationTable table;
    table.setIndexedLookup(indexed);
    table.resize(800, 600);
    table.show();
    QCoreApplication::processEvents();

    Run run;
    const NotificationHash none;
    const NotificationHash* inputs[PhaseCount] = {&full, &full, &missing, &none};
    for (int phase = 0; phase < PhaseCount; ++phase) {
        const Stopwatch stopwatch;
        table.updateFromState(*inputs[phase]);
        QCoreApplication::processEvents();
        run.ms[phase] = stopwatch.ms();
        run.rows[phase] = rowIds(table);
    }
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What one sync of `count` records spends on its log lines alone: a header line and one
// line per record, as the sync writes them.
double loggingMs(int count)
{
    const Stopwatch stopwatch;
    Logger::getInstance()->debug(
        QStringLiteral("Обновление таблицы уведомлений %1").arg(count).toStdString());
    for (int id = 1; id <= count; ++id) {
        Logger::getInstance()->debug(
            QStringLiteral("Обновление существующего уведомления ID %1").arg(id).toStdString());
    }
    return stopwatch.ms();
}

int repeatsFor(int size, bool indexed)
{
    if (size <= 100) {
        return 501;
    }
    if (size <= 1000) {
        return indexed ? 21 : 5;
    }
    return indexed ? 5 : 1;
}

bool indexOnly = false;

bool benchmark(int size)
{
    const NotificationHash full = records(size);
    const NotificationHash missing = withoutTenth(full);
    std::printf("\n%d records (then %d with a tenth missing)\n", full.size(), missing.size());

    std::vector<double> times[2][PhaseCount];
    QList<int> rows[2][PhaseCount];
    // Alternating the two keeps the machine's ups and downs from favouring either.
    const int repeats = std::max(repeatsFor(size, false), repeatsFor(size, true));
    for (int repeat = 0; repeat < repeats; ++repeat) {
        for (int indexed = indexOnly ? 1 : 0; indexed < 2; ++indexed) {
            if (repeat >= repeatsFor(size, indexed)) {
                continue;
            }
            const Run run = runOnce(full, missing, indexed);
            for (int phase = 0; phase < PhaseCount; ++phase) {
                times[indexed][phase].push_back(run.ms[phase]);
                rows[indexed][phase] = run.rows[phase];
            }
        }
    }

    bool same = true;
    std::printf("  %-20s %14s %14s %9s\n", "sync", "plain scan ms", "id index ms", "speed-up");
    double scanTotal = 0;
    double indexTotal = 0;
    for (int phase = 0; phase < PhaseCount; ++phase) {
        if (phase == Emptied) {
            std::printf("  %-20s %14.3f %14.3f %8.1fx\n", "the three asked for", scanTotal, indexTotal,
                        scanTotal / indexTotal);
        }
        const double scan = indexOnly ? 0 : median(times[0][phase]);
        const double index = median(times[1][phase]);
        scanTotal += scan;
        indexTotal += index;
        std::printf("  %-20s %14.3f %14.3f %8.1fx\n", phaseNames[phase], scan, index, scan / index);
        if (!indexOnly && rows[0][phase] != rows[1][phase]) {
            std::printf("  ROWS DIFFER after '%s'\n", phaseNames[phase]);
            same = false;
        }
    }

    std::vector<double> logging;
    for (int repeat = 0; repeat < repeatsFor(size, true); ++repeat) {
        logging.push_back(loggingMs(size));
    }
    std::printf("  log lines alone, one sync: %.3f ms\n", median(logging));
    return same;
}

// Written before the client's settings are read; an existing properties file is left alone.
void writeQuietProperties()
{
    QDir().mkpath(Settings::getPathConfig());
    QFile properties(Settings::getLoggingConfig());
    if (properties.open(QIODevice::WriteOnly | QIODevice::Text)) {
        properties.write("log4cpp.rootCategory=ERROR\n"
                         "log4cpp.category.GUI=INFO, gui_file\n"
                         "log4cpp.additivity.GUI=false\n"
                         "log4cpp.appender.gui_file=FileAppender\n"
                         "log4cpp.appender.gui_file.fileName=" +
                         QFile::encodeName(Settings::getPathConfig() + QStringLiteral("/quiet.log")) +
                         "\n"
                         "log4cpp.appender.gui_file.layout=PatternLayout\n"
                         "log4cpp.appender.gui_file.layout.ConversionPattern=%m%n\n");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The client's own log, written as in a real run, in a folder of its own.
    QTemporaryDir data;
    qputenv("PROGRAMDATA", QFile::encodeName(data.path()));
    bool quietLog = false;
    for (int i = 1; i < argc; ++i) {
        quietLog = quietLog || QByteArray(argv[i]) == "--quiet-log";
    }
    if (quietLog) {
        writeQuietProperties();
    }
    Settings::getInstance()->configurate();
    Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());

    QApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--index-only")) {
            indexOnly = true;
        } else if (argument != QLatin1String("--quiet-log")) {
            sizes.append(argument.toInt());
        }
    }
    if (sizes.isEmpty()) {
        sizes = {20, 10000};
    }

    std::printf("NotificationTable::updateFromState, median %s per sync (ms)\n", Stopwatch::what());
    bool same = true;
    for (int size : sizes) {
        same = benchmark(size) && same;
    }
    return same ? 0 : 1;
}
