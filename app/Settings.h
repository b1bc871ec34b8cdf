#pragma once

#include <QJsonObject>
#include <QString>

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
    void readConfig();
    QJsonObject readJsonFile(const QString& path);
    void setDefaultConfig();
    void saveConfig();
    int getPort() const;

    static constexpr int defaultPort = 51077;

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

private:
    Settings() = default;
    void writeConfig(int value);

    int port = 0;
};
