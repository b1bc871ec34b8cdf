// Settings and Logger in-process: paths, the port read from the settings file, and the log.
#include "app/Logger.h"
#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void paths();
    void port_data();
    void port();
    void missingFileNamesThePath();
    void loggerDropsUntilConfigured();
    void loggerLevels_data();
    void loggerLevels();

private:
    static void writeSettings(const QByteArray& content)
    {
        QDir().mkpath(Settings::getPathConfig());
        QFile file(Settings::getSettingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
};

void SettingsTest::paths()
{
#ifdef Q_OS_WIN
    QSKIP("PROGRAMDATA stands in for the shell's folder on Linux only (tst_windows checks Windows')");
#endif
    QTemporaryDir data;
    qputenv("PROGRAMDATA", QFile::encodeName(data.path()));
    const QString config = QDir::toNativeSeparators(data.path() + QStringLiteral("/zel/torvo/torvo-gui"));
    QCOMPARE(Settings::getPathConfig(), config);
    QCOMPARE(Settings::getLoggingConfig(), config + QDir::separator() + QStringLiteral("gui_log.properties"));
    QCOMPARE(Settings::getLoggingPath(), config + QDir::separator() + QStringLiteral("log"));
    QCOMPARE(Settings::getSettingsPath(), config + QDir::separator() + QStringLiteral("gui_settings.json"));

    // An empty variable counts as unset.
    qputenv("PROGRAMDATA", QByteArray());
    QVERIFY(
        Settings::getPathConfig().endsWith(QDir::toNativeSeparators(QStringLiteral("/zel/torvo/torvo-gui"))));
    QVERIFY(!Settings::getPathConfig().startsWith(QDir::separator() + QStringLiteral("zel")));
}

void SettingsTest::port_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");
    QTest::newRow("8080") << QByteArray(R"({"port": 8080})") << 8080;
    QTest::newRow("text") << QByteArray(R"({"port": "abc"})") << 0;
    QTest::newRow("extra members") << QByteArray(R"({"port": 1234, "host": "x"})") << 1234;
    QTest::newRow("no range check") << QByteArray(R"({"port": -5})") << -5;
}

void SettingsTest::port()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);
    QTemporaryDir data;
    qputenv("PROGRAMDATA", QFile::encodeName(data.path()));
    writeSettings(content);

    QVERIFY(Settings::getInstance()->configurate());
    QCOMPARE(Settings::getInstance()->getPort(), expected);
    QFile file(Settings::getSettingsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

void SettingsTest::missingFileNamesThePath()
{
    const QString path = QStringLiteral("/nonexistent/gui_settings.json");
    try {
        Settings::getInstance()->readJsonFile(path);
        QFAIL("no error raised");
    } catch (const SettingsError& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()),
                 QStringLiteral("Failed to read settings file - doesn't exists ") + path);
    }
}

void SettingsTest::loggerDropsUntilConfigured()
{
    QVERIFY(!Logger::getInstance()->isDebugEnabled());
    QVERIFY(!Logger::getInstance()->isErrorEnabled());
    Logger::getInstance()->info("dropped before configuration");

    QTemporaryDir data;
    qputenv("PROGRAMDATA", QFile::encodeName(data.path()));
    QVERIFY(Settings::getInstance()->configurate());
    Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
    Logger::getInstance()->debug("после настройки");
    Logger::getInstance()->error("ошибка");

    QFile log(Settings::getLoggingPath() + QStringLiteral("/gui.log"));
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(log.readAll());
    QVERIFY(!text.contains(QStringLiteral("dropped before configuration")));
    QVERIFY(text.contains(QStringLiteral("DEBUG [GUI] после настройки\n")));
    QVERIFY(text.contains(QStringLiteral("ERROR [GUI] ошибка\n")));
}

void SettingsTest::loggerLevels_data()
{
    QTest::addColumn<QByteArray>("level");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("DEBUG") << QByteArray("DEBUG")
                           << QStringList{QStringLiteral("отладка"), QStringLiteral("сведения"),
                                          QStringLiteral("ошибка")};
    QTest::newRow("INFO") << QByteArray("INFO")
                          << QStringList{QStringLiteral("сведения"), QStringLiteral("ошибка")};
    QTest::newRow("ERROR") << QByteArray("ERROR") << QStringList{QStringLiteral("ошибка")};
}

// An administrator's level in the properties file: the levels it leaves off are reported off,
// so that callers build no text for them, and nothing of them is written.
void SettingsTest::loggerLevels()
{
    QFETCH(QByteArray, level);
    QFETCH(QStringList, written);
    QTemporaryDir data;
    const QString logFile = data.filePath(QStringLiteral("levels.log"));
    QFile properties(data.filePath(QStringLiteral("levels.properties")));
    QVERIFY(properties.open(QIODevice::WriteOnly));
    properties.write("log4cpp.rootCategory=ERROR\n"
                     "log4cpp.category.GUI=" +
                     level +
                     ", f\n"
                     "log4cpp.additivity.GUI=false\n"
                     "log4cpp.appender.f=FileAppender\n"
                     "log4cpp.appender.f.fileName=" +
                     QFile::encodeName(logFile) +
                     "\n"
                     "log4cpp.appender.f.layout=PatternLayout\n"
                     "log4cpp.appender.f.layout.ConversionPattern=%m%n\n");
    properties.close();
    Logger* logger = Logger::getInstance();
    logger->configurate(QFile::encodeName(properties.fileName()).toStdString());
    QCOMPARE(logger->isDebugEnabled(), written.contains(QStringLiteral("отладка")));
    QCOMPARE(logger->isInfoEnabled(), written.contains(QStringLiteral("сведения")));
    QVERIFY(logger->isErrorEnabled());

    logDebug(QStringLiteral("отладка"));
    logInfo(QStringLiteral("сведения"));
    logError(QStringLiteral("ошибка"));
    QFile log(logFile);
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts), written);
}

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
