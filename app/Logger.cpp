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
    debugEnabled = infoEnabled = errorEnabled = false;
    log4cpp::PropertyConfigurator::configure(path);
    category = &log4cpp::Category::getInstance("GUI");
    debugEnabled = category->isDebugEnabled();
    infoEnabled = category->isInfoEnabled();
    errorEnabled = category->isErrorEnabled();
}

void Logger::close()
{
    std::lock_guard<std::mutex> lock(mutex);
    debugEnabled = infoEnabled = errorEnabled = false;
    category = nullptr;
    log4cpp::Category::shutdown();
}

void Logger::debug(const std::string& message)
{
    if (!isDebugEnabled()) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex);
    category->debug(message);
}

void Logger::info(const std::string& message)
{
    if (!isInfoEnabled()) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex);
    category->info(message);
}

void Logger::error(const std::string& message)
{
    if (!isErrorEnabled()) {
        return;
    }
    std::lock_guard<std::mutex> lock(mutex);
    category->error(message);
}

void logDebug(const QString& message)
{
    Logger* logger = Logger::getInstance();
    if (logger->isDebugEnabled()) {
        logger->debug(message.toStdString());
    }
}

void logInfo(const QString& message)
{
    Logger* logger = Logger::getInstance();
    if (logger->isInfoEnabled()) {
        logger->info(message.toStdString());
    }
}

void logError(const QString& message)
{
    Logger* logger = Logger::getInstance();
    if (logger->isErrorEnabled()) {
        logger->error(message.toStdString());
    }
}
