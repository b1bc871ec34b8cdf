#include "app/Logger.h"

#include <log4cpp/Category.hh>
#include <log4cpp/PropertyConfigurator.hh>

Logger* Logger::getInstance()
{
    static Logger instance;
    return &instance;
}

void Logger::configurate(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex);
    log4cpp::PropertyConfigurator::configure(path);
    category = &log4cpp::Category::getInstance("GUI");
}

void Logger::debug(const std::string& message)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (category) {
        category->debug(message);
    }
}

void Logger::info(const std::string& message)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (category) {
        category->info(message);
    }
}

void Logger::error(const std::string& message)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (category) {
        category->error(message);
    }
}

void logDebug(const QString& message)
{
    Logger::getInstance()->debug(message.toStdString());
}

void logInfo(const QString& message)
{
    Logger::getInstance()->info(message.toStdString());
}

void logError(const QString& message)
{
    Logger::getInstance()->error(message.toStdString());
}
