#pragma once

#include <QString>

#include <atomic>
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
    // Logging ends for the run: the log file cannot be written. Its appenders are closed, or log4cpp
    // would try the file again at each day's roll, and roll another account's log if it could.
    void close();

    void debug(const std::string& message);
    void info(const std::string& message);
    void error(const std::string& message);

    // Whether a message of that level would be written: callers skip building one that would
    // not. False before configurate().
    bool isDebugEnabled() const { return debugEnabled.load(std::memory_order_relaxed); }
    bool isInfoEnabled() const { return infoEnabled.load(std::memory_order_relaxed); }
    bool isErrorEnabled() const { return errorEnabled.load(std::memory_order_relaxed); }

    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

private:
    Logger() = default;

    std::mutex mutex;
    log4cpp::Category* category = nullptr;
    // The category's levels as configured; only configurate() and close() change them.
    std::atomic<bool> debugEnabled{false};
    std::atomic<bool> infoEnabled{false};
    std::atomic<bool> errorEnabled{false};
};

// The same for Qt texts, which are logged as UTF-8; nothing is converted for a level that is off.
void logDebug(const QString& message);
void logInfo(const QString& message);
void logError(const QString& message);

inline bool isDebugLogged()
{
    return Logger::getInstance()->isDebugEnabled();
}
