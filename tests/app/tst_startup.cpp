// The real torvo-gui process on a private PROGRAMDATA: first start, and every fault of its files
// and folders, each with its text on standard error: status 1 for what cannot be read, a client
// that runs on without what cannot be written; then a start that succeeds.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#endif

namespace {

const QString configSuffix = QStringLiteral("/zel/torvo/torvo-gui");

struct Run
{
    int exitCode = -1;
    QByteArray standardError;
    bool finished = false;
};

QProcessEnvironment environmentFor(const QString& dataDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PROGRAMDATA"), dataDir);
    // A session of its own: no other client on this machine takes the start over. Private
    // (0700) and apart from the data folder, which some cases make odd on purpose.
    static QTemporaryDir runtime;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// Start-up that must fail ends by itself; one that succeeds runs until we stop it.
Run runToFailure(const QString& dataDir)
{
    QProcess process;
    process.setProcessEnvironment(environmentFor(dataDir));
    process.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    Run run;
    run.finished = process.waitForFinished(60000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.standardError = process.readAllStandardError();
    return run;
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum class Fault
{
    SettingsArray,
    SettingsTruncated,
    SettingsEmpty,
    SettingsNoPort,
    SettingsFolder,
    SettingsUnwritable,
    SettingsReadOnly,
    PropertiesRefused,
    PropertiesEmpty,
    PropertiesUnwritable,
    ConfigFolderBlocked,
    LogFolderBlocked,
    LogUnwritable,
    DiskFull
};

// Starts the client, which must say `message` on standard error and keep running; then ends it.
bool runsAndSays(const QString& dataDir, const QString& message)
{
    QProcess process;
    process.setProcessEnvironment(environmentFor(dataDir));
    process.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QByteArray standardError;
    const bool said = QTest::qWaitFor(
        [&] {
            standardError += process.readAllStandardError();
            return standardError.startsWith(message.toUtf8()) || process.state() == QProcess::NotRunning;
        },
        60000);
    const bool running = process.state() == QProcess::Running;
    process.terminate();
    process.waitForFinished(30000);
    if (!said || !running) {
        qWarning("running: %d, standard error: %s", running, standardError.constData());
    }
    return said && running;
}

// Starts the client, waits for its first log line in the default log, then ends it.
bool startsAndLogs(const QString& dataDir, const QStringList& arguments = {})
{
    const QString logFile = dataDir + configSuffix + QStringLiteral("/log/gui.log");
    QProcess process;
    process.setProcessEnvironment(environmentFor(dataDir));
    process.start(QStringLiteral(TORVO_GUI_PATH), arguments);
    const bool started =
        process.waitForStarted() &&
        QTest::qWaitFor([&] { return readFile(logFile).contains("Starting application."); }, 60000);
    process.terminate();
    process.waitForFinished(30000);
    return started;
}

// A small tmpfs, filled to the last byte, on `base` in this process's own mount namespace
// (children share it, nobody else sees it, it goes with the process). Empty with a reason when
// the system does not allow it (not root).
QString fullDisk(const QString& base, QString& reason)
{
#ifdef Q_OS_LINUX
    const QByteArray target = QFile::encodeName(base + QStringLiteral("/disk"));
    QDir().mkpath(base + QStringLiteral("/disk"));
    static const bool ownNamespace =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!ownNamespace || mount("tmpfs", target.constData(), "tmpfs", 0, "size=64k") != 0) {
        reason = QStringLiteral("no private tmpfs: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return QString();
    }
    QFile filler(base + QStringLiteral("/disk/filler"));
    filler.open(QIODevice::WriteOnly);
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    return base + QStringLiteral("/disk");
#else
    Q_UNUSED(base);
    reason = QStringLiteral("a private tmpfs needs Linux");
    return QString();
#endif
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartCreatesFilesAndLog();
    void existingFilesAreKept();
    void startupFaults_data();
    void startupFaults();
    void commandLine_data();
    void commandLine();
};

void StartupTest::firstStartCreatesFilesAndLog()
{
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QString config = data.path() + configSuffix;
    const QString logFile = config + QStringLiteral("/log/gui.log");

    QProcess process;
    process.setProcessEnvironment(environmentFor(data.path()));
    process.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(readFile(logFile).contains("Starting application."), 60000);
    QCOMPARE(process.state(), QProcess::Running);
    process.terminate();
    QVERIFY(process.waitForFinished(30000));

    const QByteArray expectedProperties = "log4cpp.rootCategory=ERROR\n"
                                          "log4cpp.category.GUI=DEBUG, gui_file\n"
                                          "log4cpp.additivity.GUI=false\n"
                                          "\n"
                                          "log4cpp.appender.gui_file=DailyRollingFileAppender\n"
                                          "log4cpp.appender.gui_file.fileName=" +
                                          (config + QStringLiteral("/log/gui.log")).toUtf8() +
                                          "\n"
                                          "log4cpp.appender.gui_file.maxDaysKeep=14\n"
                                          "log4cpp.appender.gui_file.layout=PatternLayout\n"
                                          "log4cpp.appender.gui_file.layout.ConversionPattern="
                                          "%d{%Y.%m.%d %H:%M:%S.%l} %t %-5p [%c] %m%n\n";
    QCOMPARE(readFile(config + QStringLiteral("/gui_log.properties")), expectedProperties);
    QCOMPARE(readFile(config + QStringLiteral("/gui_settings.json")),
             QByteArray("{\n    \"port\": 51077\n}\n"));

    const QStringList lines = QString::fromUtf8(readFile(logFile)).split(QLatin1Char('\n'));
    QVERIFY(!lines.isEmpty());
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\d{4}\.\d{2}\.\d{2} \d{2}:\d{2}:\d{2}\.\d{3} \d+ INFO  \[GUI\] Starting application\.$)"));
    QVERIFY2(pattern.match(lines.first()).hasMatch(), qPrintable(lines.first()));
}

void StartupTest::existingFilesAreKept()
{
    QTemporaryDir data;
    const QString config = data.path() + configSuffix;
    // An administrator's properties file (its log goes elsewhere) and a settings file with extras.
    const QString otherLog = data.path() + QStringLiteral("/elsewhere.log");
    const QByteArray properties = "log4cpp.rootCategory=ERROR\n"
                                  "log4cpp.category.GUI=INFO, f\n"
                                  "log4cpp.appender.f=FileAppender\n"
                                  "log4cpp.appender.f.fileName=" +
                                  otherLog.toUtf8() +
                                  "\n"
                                  "log4cpp.appender.f.layout=BasicLayout\n";
    const QByteArray settings = "{\"port\": 8080, \"extra\": [1, 2]}";
    writeFile(config + QStringLiteral("/gui_log.properties"), properties);
    writeFile(config + QStringLiteral("/gui_settings.json"), settings);
    QVERIFY(!QDir(config + QStringLiteral("/log")).exists());

    QProcess process;
    process.setProcessEnvironment(environmentFor(data.path()));
    process.start(QStringLiteral(TORVO_GUI_PATH), QStringList());
    QTRY_VERIFY_WITH_TIMEOUT(readFile(otherLog).contains("Starting application."), 60000);
    process.terminate();
    QVERIFY(process.waitForFinished(30000));

    QCOMPARE(readFile(config + QStringLiteral("/gui_log.properties")), properties);
    QCOMPARE(readFile(config + QStringLiteral("/gui_settings.json")), settings);
    QVERIFY2(QDir(config + QStringLiteral("/log")).exists(), "a missing log folder is recreated");
}

void StartupTest::startupFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message"); // empty: start-up goes on
    QTest::addColumn<bool>("runs");       // the client says `message` and runs without what failed
    const QString badJson = QStringLiteral("Failed to read settings file - bad json");
    QTest::newRow("settings: an array") << int(Fault::SettingsArray) << badJson << false;
    QTest::newRow("settings: cut short") << int(Fault::SettingsTruncated) << badJson << false;
    QTest::newRow("settings: empty") << int(Fault::SettingsEmpty) << badJson << false;
    QTest::newRow("settings: no port")
        << int(Fault::SettingsNoPort) << QStringLiteral("Failed to read settings file - incorrect core port")
        << false;
    QTest::newRow("settings: a folder")
        << int(Fault::SettingsFolder) << QStringLiteral("Failed to read settings file") << false;
    QTest::newRow("settings: cannot be written")
        << int(Fault::SettingsUnwritable) << QStringLiteral("Failed to save settings file") << true;
    QTest::newRow("settings: read-only") << int(Fault::SettingsReadOnly) << QString() << false;
    QTest::newRow("properties: refused by log4cpp")
        << int(Fault::PropertiesRefused) << QStringLiteral("Appender 'a' has unknown type 'NoSuchAppender'")
        << false;
    QTest::newRow("properties: empty")
        << int(Fault::PropertiesEmpty) << QStringLiteral("Unable to find category: rootCategory") << false;
    QTest::newRow("properties: cannot be written")
        << int(Fault::PropertiesUnwritable) << QStringLiteral("Failed to create logging settings") << true;
    QTest::newRow("configuration folder cannot be created")
        << int(Fault::ConfigFolderBlocked) << QStringLiteral("Failed to create configuration directory")
        << true;
    QTest::newRow("log folder cannot be created")
        << int(Fault::LogFolderBlocked)
        << QStringLiteral("Failed to create log directory\nFailed to open log file\n") << true;
    QTest::newRow("log cannot be written")
        << int(Fault::LogUnwritable) << QStringLiteral("Failed to open log file\n") << true;
    QTest::newRow("disk full at first start")
        << int(Fault::DiskFull) << QStringLiteral("Failed to create logging settings") << true;
}

// Each fault is one that stops root too, which ignores permission bits: a file or folder
// standing where the other is needed, a link into a folder that does not exist, a full disk.
// Once the fault is gone, the next start must succeed on what the failed one left behind.
void StartupTest::startupFaults()
{
    QFETCH(int, fault);
    QFETCH(QString, message);
    QFETCH(bool, runs);
    QTemporaryDir scratch;
    QString data = scratch.path();
    if (Fault(fault) == Fault::DiskFull) {
        QString reason;
        data = fullDisk(scratch.path(), reason);
        if (data.isEmpty()) {
            QSKIP(qPrintable(reason));
        }
    }
    const auto unmount = qScopeGuard([&] {
#ifdef Q_OS_LINUX
        if (data != scratch.path()) {
            umount2(QFile::encodeName(data).constData(), MNT_DETACH);
        }
#endif
    });
    const QString config = data + configSuffix;
    const QString settings = config + QStringLiteral("/gui_settings.json");
    const QString properties = config + QStringLiteral("/gui_log.properties");
    const QString log = config + QStringLiteral("/log");
    const QString missing = scratch.path() + QStringLiteral("/no/such/folder");
    QVERIFY(QDir().mkpath(config));
    switch (Fault(fault)) {
    case Fault::SettingsArray:
        writeFile(settings, "[]");
        break;
    case Fault::SettingsTruncated:
        writeFile(settings, "{\"port\": 51");
        break;
    case Fault::SettingsEmpty:
        writeFile(settings, "");
        break;
    case Fault::SettingsNoPort:
        writeFile(settings, "{}");
        break;
    case Fault::SettingsFolder:
        QVERIFY(QDir().mkpath(settings));
        break;
    case Fault::SettingsUnwritable:
        QVERIFY(QFile::link(missing, settings));
        break;
    case Fault::SettingsReadOnly:
        writeFile(settings, "{\"port\": 8080}");
        QVERIFY(QFile::setPermissions(settings, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        break;
    case Fault::PropertiesRefused:
        writeFile(properties, "log4cpp.rootCategory=ERROR, a\nlog4cpp.appender.a=NoSuchAppender\n");
        break;
    case Fault::PropertiesEmpty:
        writeFile(properties, "");
        break;
    case Fault::PropertiesUnwritable:
        QVERIFY(QFile::link(missing, properties));
        break;
    case Fault::ConfigFolderBlocked:
        QVERIFY(QDir(data + QStringLiteral("/zel")).removeRecursively());
        writeFile(data + QStringLiteral("/zel/torvo"), "a file, not a folder");
        break;
    case Fault::LogFolderBlocked:
        writeFile(log, "a file, not a folder");
        break;
    case Fault::LogUnwritable:
        QVERIFY(QDir().mkpath(log + QStringLiteral("/gui.log")));
        break;
    case Fault::DiskFull:
        QVERIFY(QDir(data + QStringLiteral("/zel")).removeRecursively());
        break;
    }
    const QByteArray settingsBefore = readFile(settings);

    if (message.isEmpty()) {
        QVERIFY(startsAndLogs(data));
        QCOMPARE(readFile(settings), settingsBefore);
        return;
    }
    if (runs) {
        QVERIFY(runsAndSays(data, message));
    } else {
        const Run run = runToFailure(data);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.standardError), message + QLatin1Char('\n'));
        QVERIFY2(!QFile::exists(log + QStringLiteral("/gui.log")) ||
                     QFileInfo(log + QStringLiteral("/gui.log")).isDir(),
                 "nothing reaches the log");
    }

    // The administrator removes the fault and changes nothing else.
    switch (Fault(fault)) {
    case Fault::SettingsFolder:
        QVERIFY(QDir(settings).removeRecursively());
        break;
    case Fault::SettingsUnwritable:
    case Fault::PropertiesUnwritable:
        QVERIFY(QFile::remove(Fault(fault) == Fault::SettingsUnwritable ? settings : properties));
        break;
    case Fault::ConfigFolderBlocked:
        QVERIFY(QFile::remove(data + QStringLiteral("/zel/torvo")));
        break;
    case Fault::LogFolderBlocked:
        QVERIFY(QFile::remove(log));
        break;
    case Fault::LogUnwritable:
        QVERIFY(QDir(log + QStringLiteral("/gui.log")).removeRecursively());
        break;
    case Fault::DiskFull:
        QVERIFY(QFile::remove(data + QStringLiteral("/filler")));
        break;
    case Fault::PropertiesRefused:
    case Fault::PropertiesEmpty:
        QVERIFY(QFile::remove(properties));
        break;
    default:
        QVERIFY(QFile::remove(settings));
        break;
    }
    QVERIFY2(startsAndLogs(data), "the next start succeeds");
}

void StartupTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("answer"); // how standard output begins; empty: the client starts
    const QString help = QStringLiteral("Использование: torvo-gui");
    const QString version = QStringLiteral("torvo-gui 1.0\n");
    QTest::newRow("--help") << QStringList{"--help"} << help;
    QTest::newRow("-h") << QStringList{"-h"} << help;
    QTest::newRow("--version") << QStringList{"--version"} << version;
    QTest::newRow("-v among others") << QStringList{"-style", "fusion", "-v"} << version;
    // Qt's one-dash options are not letters: "-reverse" holds a "v".
    QTest::newRow("Qt's options and unknown ones") << QStringList{"-reverse", "--no-such", "x"} << QString();
}

// Help and version need no display and touch nothing: no configuration, no log, no hand-over.
void StartupTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, answer);
    QTemporaryDir data;
    if (answer.isEmpty()) {
        QVERIFY(startsAndLogs(data.path(), arguments));
        return;
    }
    QTemporaryDir runtime;
    QProcessEnvironment env = environmentFor(data.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(TORVO_GUI_PATH), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
    QVERIFY2(output.startsWith(answer), qPrintable(output));
    QCOMPARE(process.readAllStandardError(), QByteArray());
    QVERIFY(QDir(data.path()).isEmpty());
    QVERIFY(QDir(runtime.path()).isEmpty());
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
