#include "app/Settings.h"

#include "app/SharedFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include <functional>

#ifdef Q_OS_WIN
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on
#endif

namespace {

QString machineDataDirectory()
{
#ifdef Q_OS_WIN
    char buffer[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, buffer) != S_OK) {
        throw SettingsError(QStringLiteral("Failed to load path AppData"));
    }
    return QString::fromLocal8Bit(buffer);
#else
    // Linux has no machine-wide application-data folder; PROGRAMDATA lets an administrator
    // (and the tests) choose one, as the variable of that name does on Windows.
    const QString programData = qEnvironmentVariable("PROGRAMDATA");
    if (!programData.isEmpty()) {
        return programData;
    }
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (fallback.isEmpty()) {
        throw SettingsError(QStringLiteral("Failed to load path AppData"));
    }
    return fallback;
#endif
}

QString joinPath(const QString& directory, const QString& name)
{
    return directory + QDir::separator() + name;
}

} // namespace

SettingsError::SettingsError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

Settings* Settings::getInstance()
{
    static Settings instance;
    return &instance;
}

QString Settings::getPathConfig()
{
    QString path = QDir::toNativeSeparators(QDir::cleanPath(machineDataDirectory()));
    for (const char* part : {"zel", "torvo", "torvo-gui"}) {
        path = joinPath(path, QString::fromLatin1(part));
    }
    return path;
}

QString Settings::getLoggingConfig()
{
    return joinPath(getPathConfig(), QStringLiteral("gui_log.properties"));
}

QString Settings::getLoggingPath()
{
    return joinPath(getPathConfig(), QStringLiteral("log"));
}

QString Settings::getSettingsPath()
{
    return joinPath(getPathConfig(), QStringLiteral("gui_settings.json"));
}

bool Settings::configurate()
{
    makeDirectory();
    readConfig();
    return true;
}

void Settings::makeDirectory()
{
    const QStringList failed = makeDirectorySteps(true);
    if (!failed.isEmpty()) {
        throw SettingsError(failed.first());
    }
}

QStringList Settings::makeDirectoryAsFarAsPossible()
{
    return makeDirectorySteps(false);
}

QStringList Settings::makeDirectorySteps(bool stopAtFailure)
{
    const QString configPath = getPathConfig();
    if (!QDir(configPath).exists()) {
        if (!QDir().mkpath(configPath)) {
            return {QStringLiteral("Failed to create configuration directory")};
        }
        // Made by whichever account starts first: every other one must be able to write here too.
        shareWithUsers(configPath);
    }
    const std::function<void()> steps[] = {
        [this] {
            if (!QFileInfo::exists(getLoggingConfig())) {
                writeLoggingConfig();
            }
        },
        [] {
            const QString logPath = getLoggingPath();
            if (!QDir(logPath).exists() && !QDir().mkpath(logPath)) {
                throw SettingsError(QStringLiteral("Failed to create log directory"));
            }
        },
        [this] {
            if (!QFile::exists(getSettingsPath())) {
                setDefaultConfig();
            }
        },
    };
    QStringList failed;
    for (const auto& step : steps) {
        try {
            step();
        } catch (const SettingsError& failure) {
            failed << QString::fromUtf8(failure.what());
            if (stopAtFailure) {
                break;
            }
        }
    }
    return failed;
}

void Settings::writeLoggingConfig()
{
    // An existing properties file is the administrator's: it is never rewritten. So it is
    // written whole or not at all: a part left by a full disk would be kept for good.
    QSaveFile properties(getLoggingConfig());
    if (!properties.open(QIODevice::WriteOnly | QIODevice::Text)) {
        throw SettingsError(QStringLiteral("Failed to create logging settings"));
    }
    const QString logFile = joinPath(getLoggingPath(), QStringLiteral("gui.log"));
    QTextStream out(&properties);
    out.setCodec("UTF-8");
    out << "log4cpp.rootCategory=ERROR\n"
        << "log4cpp.category.GUI=DEBUG, gui_file\n"
        << "log4cpp.additivity.GUI=false\n"
        << "\n"
        << "log4cpp.appender.gui_file=DailyRollingFileAppender\n"
        << "log4cpp.appender.gui_file.fileName=" << logFile << "\n"
        << "log4cpp.appender.gui_file.maxDaysKeep=14\n"
        << "log4cpp.appender.gui_file.layout=PatternLayout\n"
        << "log4cpp.appender.gui_file.layout.ConversionPattern=%d{%Y.%m.%d %H:%M:%S.%l} %t %-5p [%c] "
           "%m%n\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !properties.commit()) {
        throw SettingsError(QStringLiteral("Failed to create logging settings"));
    }
}

void Settings::readConfig()
{
    const QJsonObject object = readJsonFile(getSettingsPath());
    if (!object.contains(QStringLiteral("port"))) {
        throw SettingsError(QStringLiteral("Failed to read settings file - incorrect core port"));
    }
    port = object.value(QStringLiteral("port")).toInt(0);
}

QJsonObject Settings::readJsonFile(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        throw SettingsError(QStringLiteral("Failed to read settings file - doesn't exists ") + path);
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw SettingsError(QStringLiteral("Failed to read settings file"));
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (document.isNull() || !document.isObject()) {
        throw SettingsError(QStringLiteral("Failed to read settings file - bad json"));
    }
    return document.object();
}

void Settings::setDefaultConfig()
{
    writeConfig(defaultPort);
}

void Settings::saveConfig()
{
    writeConfig(port);
}

int Settings::getPort() const
{
    return port;
}

void Settings::writeConfig(int value)
{
    // Whole or not at all: an empty file left by a full disk would stop every later start.
    QSaveFile file(getSettingsPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        throw SettingsError(QStringLiteral("Failed to save settings file"));
    }
    QJsonObject object;
    object.insert(QStringLiteral("port"), value);
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        throw SettingsError(QStringLiteral("Failed to save settings file"));
    }
}
