#include "TestEnvironment.h"

#include "app/Logger.h"
#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

TestEnvironment::TestEnvironment(int port)
{
    if (!dir.isValid()) {
        throw std::runtime_error("no temporary directory");
    }
    qputenv("PROGRAMDATA", QFile::encodeName(dir.path()));
    // A device list round that finds no list is tried again by itself; in a test that would be
    // another test's round. The test of that retry sets its own pause.
    if (!qEnvironmentVariableIsSet("TORVO_TEST_LIST_RETRY_MS")) {
        qputenv("TORVO_TEST_LIST_RETRY_MS", "3600000");
    }
    QDir().mkpath(Settings::getPathConfig());
    QFile settings(Settings::getSettingsPath());
    if (!settings.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw std::runtime_error("cannot write the settings file");
    }
    settings.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    settings.close();

    Settings::getInstance()->configurate();
    Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
}

QString TestEnvironment::logFilePath()
{
    return Settings::getLoggingPath() + QDir::separator() + QStringLiteral("gui.log");
}

LogReader::LogReader()
{
    mark();
}

void LogReader::mark()
{
    offset = QFile(TestEnvironment::logFilePath()).size();
}

QStringList LogReader::lines() const
{
    QFile file(TestEnvironment::logFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    file.seek(offset);
    QStringList result = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty()) {
        result.removeLast();
    }
    return result;
}

QStringList LogReader::messages() const
{
    static const QString marker = QStringLiteral("[GUI] ");
    QStringList result;
    for (const QString& line : lines()) {
        const int at = line.indexOf(marker);
        result.append(at < 0 ? line : line.mid(at + marker.size()));
    }
    return result;
}

bool LogReader::contains(const QString& text) const
{
    return count(text) > 0;
}

int LogReader::count(const QString& text) const
{
    int n = 0;
    for (const QString& message : messages()) {
        if (message.contains(text)) {
            ++n;
        }
    }
    return n;
}
