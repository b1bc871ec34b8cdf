#include "app/Startup.h"

#include "app/LogFileCheck.h"
#include "app/Logger.h"
#include "app/Settings.h"

#include <QFileInfo>

#include <exception>

StartupOutcome prepareStartup()
{
    StartupOutcome outcome;
    Settings* settings = Settings::getInstance();
    try {
        outcome.unwritten = settings->makeDirectoryAsFarAsPossible();
        if (QFileInfo::exists(Settings::getSettingsPath())) {
            settings->readConfig();
        } else {
            settings->useDefaultPort();
            outcome.defaultPort = true;
        }
        // Without its properties file there is no log to configure; that file's failure is listed.
        if (QFileInfo::exists(Settings::getLoggingConfig())) {
            Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
            try {
                checkLogFiles();
                outcome.logging = true;
            } catch (const SettingsError& unwritable) {
                outcome.unwritten << QString::fromUtf8(unwritable.what());
                Logger::getInstance()->close();
            }
        }
    } catch (const std::exception& failure) {
        outcome.failure = QString::fromUtf8(failure.what());
    }
    return outcome;
}
