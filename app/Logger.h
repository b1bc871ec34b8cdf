#pragma once

#include <QString>

#include <mutex>
#include <string>

namespace log4cpp {
class Category;
}

// The one log category "GUI". Messages are UTF-8; anything logged before configurate() is dropped.
class Logger
{
public:
    static Logger* getInstance();

    // Throws log4cpp's ConfigureFailure when the properties file is refused.
    void configurate(const std::string& path);

    void debug(const std::string& message);
    void info(const std::string& message);
    void error(const std::string& message);

    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

private:
    Logger() = default;

    std::mutex mutex;
    log4cpp::Category* category = nullptr;
};

// The same for Qt texts, which are logged as UTF-8.
void logDebug(const QString& message);
void logInfo(const QString& message);
void logError(const QString& message);
