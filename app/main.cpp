#include "app/LogFileCheck.h"
#include "app/Logger.h"
#include "app/Settings.h"
#include "ui/MainWindow.h"

#include <QApplication>
#ifdef Q_OS_WIN
#include <QSessionManager>
#endif

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    // Start-up failures stop the program before any window exists; the text goes to stderr.
    try {
        Settings::getInstance()->configurate();
        Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
        checkLogFiles();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    Logger::getInstance()->info("Starting application.");

#ifdef Q_OS_WIN
    // Every close is ignored while the tray icon shows, and Qt's fallback session management
    // would take that as a veto and cancel the operator's log-off or shut-down.
    QGuiApplication::setFallbackSessionManagementEnabled(false);
#endif
    QApplication app(argc, argv);
    QGuiApplication::setQuitOnLastWindowClosed(false);
#ifdef Q_OS_WIN
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [](QSessionManager&) { QCoreApplication::quit(); });
#endif

    MainWindow window;
    window.show();
    return app.exec();
}
