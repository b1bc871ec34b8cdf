#include "BenchEnvironment.h"

#include "app/Logger.h"
#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <exception>

BenchEnvironment::BenchEnvironment(int port)
{
    if (!dir.isValid()) {
        return;
    }
    qputenv("PROGRAMDATA", QFile::encodeName(dir.path()));
    QDir().mkpath(Settings::getPathConfig());
    QFile settings(Settings::getSettingsPath());
    if (!settings.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return;
    }
    settings.write(QJsonDocument(QJsonObject{{QStringLiteral("port"), port}}).toJson());
    settings.close();
    try {
        Settings::getInstance()->configurate();
        Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
    } catch (const std::exception&) {
        return;
    }
    valid = true;
}

QString BenchEnvironment::logFilePath()
{
    return Settings::getLoggingPath() + QDir::separator() + QStringLiteral("gui.log");
}

qint64 BenchEnvironment::logBytes()
{
    return QFile(logFilePath()).size();
}

qint64 BenchEnvironment::logLines()
{
    QFile file(logFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    qint64 lines = 0;
    while (!file.atEnd()) {
        lines += file.read(1 << 20).count('\n');
    }
    return lines;
}
