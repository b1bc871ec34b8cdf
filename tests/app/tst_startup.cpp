// The real torvo-gui process on a private PROGRAMDATA: first start, and every way start-up stops.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

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
    // A session of its own: no other client on this machine takes the start over.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dataDir);
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

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartCreatesFilesAndLog();
    void existingFilesAreKept();
    void failures_data();
    void failures();
    void refusedPropertiesStopStartup();
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

void StartupTest::failures_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message");
    QTest::newRow("array") << QByteArray("[]") << QStringLiteral("Failed to read settings file - bad json");
    QTest::newRow("truncated") << QByteArray("{")
                               << QStringLiteral("Failed to read settings file - bad json");
    QTest::newRow("empty file") << QByteArray("")
                                << QStringLiteral("Failed to read settings file - bad json");
    QTest::newRow("no port") << QByteArray("{}")
                             << QStringLiteral("Failed to read settings file - incorrect core port");
}

void StartupTest::failures()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    QTemporaryDir data;
    const QString config = data.path() + configSuffix;
    writeFile(config + QStringLiteral("/gui_settings.json"), settings);

    const Run run = runToFailure(data.path());
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QString::fromUtf8(run.standardError).trimmed(), message);
    QVERIFY2(!QFile::exists(config + QStringLiteral("/log/gui.log")), "nothing reaches the log");
}

void StartupTest::refusedPropertiesStopStartup()
{
    QTemporaryDir data;
    const QString config = data.path() + configSuffix;
    writeFile(config + QStringLiteral("/gui_log.properties"),
              "log4cpp.rootCategory=ERROR, a\nlog4cpp.appender.a=NoSuchAppender\n");

    const Run run = runToFailure(data.path());
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(!run.standardError.trimmed().isEmpty());
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
