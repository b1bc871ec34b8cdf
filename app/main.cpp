#include "app/CommandLine.h"
#include "app/ConsoleOutput.h"
#include "app/EndRequest.h"
#include "app/Logger.h"
#include "app/QtTranslation.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/StartupMessage.h"
#include "ui/MainWindow.h"
#include "ui/SystemTrayIcon.h"

#include <QApplication>
#ifdef Q_OS_WIN
#include <QSessionManager>

#include <csignal>

#include <windows.h>
#endif

namespace {

// For a later start: the window as the tray's "Восстановить" brings it, and a box that waits
// for the operator's answer on top of it. A request that comes while the window is still being
// built (the no-tray box is open) brings the box.
void bringForward(MainWindow* window)
{
    logInfo(QStringLiteral("Повторный запуск: показано окно работающего клиента"));
    if (window) {
        window->getSystemTray()->showWindow();
    }
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->raise();
        box->activateWindow();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before anything is touched: no display, no running client, no configuration. On
    // standard output on Windows too (the console it was started from), where Qt's own help would
    // be a message box.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString answer = commandLineAnswer(arguments);
    if (!answer.isEmpty()) {
        writeToConsole(ConsoleStream::Output, answer);
        return 0;
    }

    // Scaling by the screen's density is decided when the application object is made. At the
    // scale Windows asks for: Qt 5 would round 150 % up to 200 %, and a 1366 × 768 till at 150 %
    // would get a window of 683 × 384 points; 125 % would round down to no scaling at all.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#ifdef Q_OS_WIN
    // abort() (qFatal, an uncaught exception) ends a MinGW program without Windows Error
    // Reporting, and so without the crash dump the installer asks Windows to keep.
    std::signal(SIGABRT, [](int) { RaiseFailFastException(nullptr, nullptr, 0); });
    // Every close is ignored while the tray icon shows, and Qt's fallback session management
    // would take that as a veto and cancel the operator's log-off or shut-down.
    QGuiApplication::setFallbackSessionManagementEnabled(false);
#endif
    QApplication app(argc, argv);

    // A second start only brings the running client forward; it reads and writes no file of
    // the configuration and writes nothing to the log.
    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::HandedOver:
        return 0;
    case SingleInstance::NoAnswer:
        installQtTranslation();
        reportStartupFailure(QStringLiteral("Torvo is already running in this session but does not answer"));
        return 1;
    case SingleInstance::First:
        break;
    }

    // A failure stops the program before the main window exists, said on standard error and in
    // a box; what only could not be written is said once the window shows.
    const StartupOutcome outcome = prepareStartup();
    if (!outcome.failure.isEmpty()) {
        installQtTranslation();
        reportStartupFailure(outcome.failure);
        return 1;
    }
    logInfo(QStringLiteral("Starting application."));
    if (!outcome.unwritten.isEmpty()) {
        reportUnwritten(outcome);
    }
    if (!instance.listenError().isEmpty()) {
        logError(QStringLiteral("Повторный запуск не сможет показать это окно: ") + instance.listenError());
    }
    installQtTranslation();

    QGuiApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("torvo-gui"));
#ifdef Q_OS_WIN
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [](QSessionManager&) { QCoreApplication::quit(); });
#endif

    // The installer replaces the program: it asks every client to end, and starts it again.
    EndRequest endRequest;
    QObject::connect(&endRequest, &EndRequest::requested, &app, []() {
        logInfo(QStringLiteral("Завершение по запросу установщика Torvo"));
        QCoreApplication::quit();
    });

    MainWindow* built = nullptr;
    QObject::connect(&instance, &SingleInstance::activationRequested, &app,
                     [&built]() { bringForward(built); });
    MainWindow window;
    built = &window;
    window.show();
    if (!outcome.unwritten.isEmpty()) {
        showUnwritten(outcome, &window);
    }
    return app.exec();
}
