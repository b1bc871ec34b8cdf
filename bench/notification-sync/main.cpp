// Times NotificationTable::updateFromState on its own, shown as the operator would see it, for
// each collection the state sends: into an empty table, the same records again, one more page
// of 100, one record changed, a tenth missing, and last an empty collection, as the reload
// button sends. Deferred layout and painting that a sync leaves behind count with it.
//
// Usage: torvo-bench-notification-sync [--quiet-log] [SIZE...]   (default: 20 10000)
// --quiet-log sets the GUI category to INFO in the logging properties, as an administrator may,
// so that the sync's debug lines are dropped: what the sync costs without writing its log.
#include "BenchClock.h"
#include "BenchReport.h"

#include "app/Logger.h"
#include "app/Settings.h"
#include "notifications/NotificationTable.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>
#include <vector>

namespace {

enum Phase
{
    Fill,
    Again,
    OnePage,
    OneChanged,
    Missing,
    Emptied,
    PhaseCount
};
const char* const phaseNames[PhaseCount] = {"into empty table",     "same records again",
                                            "one page of 100 more", "one record changed",
                                            "a tenth missing",      "emptied (reload)"};

NotificationInfo record(int id)
{
    static const QDateTime base(QDate(2026, 12, 8), QTime(10, 0), QTimeZone(3 * 3600));
    NotificationInfo info;
    info.id = id;
    info.header = QStringLiteral("Уведомление %1").arg(id);
    info.message = QStringLiteral("Текст уведомления номер %1 о состоянии модуля").arg(id);
    info.notificationModule = NotificationModule(id % 7);
    info.notificationType = NotificationType(id % 3);
    info.isRead = info.notificationType == Read;
    info.dateTime = base.addSecs(-37 * id).toString(Qt::ISODate);
    return info;
}

// The collections of one run, each built from the one before as the state would.
std::vector<NotificationHash> inputs(int count)
{
    std::vector<NotificationHash> result(PhaseCount);
    for (int id = 1; id <= count; ++id) {
        result[Fill].insert(id, record(id));
    }
    result[Again] = result[Fill];
    result[OnePage] = result[Fill];
    for (int id = count + 1; id <= count + 100; ++id) {
        result[OnePage].insert(id, record(id));
    }
    result[OneChanged] = result[OnePage];
    result[OneChanged][count / 2 + 1].notificationType = Read;
    result[Missing] = result[OneChanged];
    for (int id = 10; id <= count + 100; id += 10) {
        result[Missing].remove(id);
    }
    return result;
}

std::vector<double> runOnce(const std::vector<NotificationHash>& collections)
{
    NotificationTable table;
    table.resize(800, 600);
    table.show();
    QCoreApplication::processEvents();
    std::vector<double> ms;
    for (const NotificationHash& collection : collections) {
        const double start = BenchClock::threadCpuMs();
        table.updateFromState(collection);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        ms.push_back(BenchClock::threadCpuMs() - start);
    }
    return ms;
}

void benchmark(int size)
{
    const std::vector<NotificationHash> collections = inputs(size);
    const int repeats = size <= 100 ? 101 : size <= 1000 ? 21 : 5;
    std::vector<std::vector<double>> times(PhaseCount);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        const std::vector<double> run = runOnce(collections);
        for (int phase = 0; phase < PhaseCount; ++phase) {
            times[phase].push_back(run[phase]);
        }
    }
    std::printf("\n%d records, median of %d runs\n", size, repeats);
    for (int phase = 0; phase < PhaseCount; ++phase) {
        const double ms = median(times[phase]);
        std::printf("  %-22s %10.3f ms\n", phaseNames[phase], ms);
        printResult({QStringLiteral("Table sync of %1 records: %2").arg(size).arg(phaseNames[phase]), repeats,
                     formatMs(ms), QString(), QString(), QString(), QString()});
    }
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
        if (argument != QLatin1String("--quiet-log")) {
            sizes.append(argument.toInt());
        }
    }
    if (sizes.isEmpty()) {
        sizes = {20, 10000};
    }
    std::printf("NotificationTable::updateFromState, CPU time of the GUI thread per sync%s\n",
                quietLog ? ", debug log off" : "");
    for (int size : sizes) {
        benchmark(size);
    }
    return 0;
}
