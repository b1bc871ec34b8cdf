#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <stdexcept>

// A start-up failure of the configuration: carries one of the fixed English texts.
class SettingsError : public std::runtime_error
{
public:
    explicit SettingsError(const QString& message);
};

// The configuration directory, its files and the one setting they hold: the service port.
class Settings
{
public:
    static Settings* getInstance();

    static QString getPathConfig();
    static QString getLoggingConfig();
    static QString getLoggingPath();
    static QString getSettingsPath();

    bool configurate();
    void makeDirectory();
    // Start-up as far as the disk allows: each step of makeDirectory is tried even when one
    // before it failed (all but a configuration folder that cannot be made, after which nothing
    // can be), and the texts of those that failed are returned instead of raised.
    QStringList makeDirectoryAsFarAsPossible();
    void readConfig();
    // For a run without a settings file, which could not be written.
    void useDefaultPort() { port = defaultPort; }
    QJsonObject readJsonFile(const QString& path);
    void setDefaultConfig();
    void saveConfig();
    int getPort() const;

    static constexpr int defaultPort = 51077;

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

private:
    Settings() = default;
    QStringList makeDirectorySteps(bool stopAtFailure);
    void writeLoggingConfig();
    void writeConfig(int value);

    int port = 0;
};
