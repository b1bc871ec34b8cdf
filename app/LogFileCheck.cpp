#include "app/LogFileCheck.h"

#include "app/Settings.h"

#include <log4cpp/Category.hh>
#include <log4cpp/FileAppender.hh>

void checkLogFiles()
{
    for (log4cpp::Category* category :
         {&log4cpp::Category::getInstance("GUI"), &log4cpp::Category::getRoot()}) {
        for (log4cpp::Appender* appender : category->getAllAppenders()) {
            auto* file = dynamic_cast<log4cpp::FileAppender*>(appender);
            // Reopening is what log4cpp offers to learn whether the file can be written.
            if (file && !file->reopen()) {
                throw SettingsError(QStringLiteral("Failed to open log file"));
            }
        }
    }
}
