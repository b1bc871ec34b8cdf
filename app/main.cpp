#include "app/CommandLine.h"
#include "app/LogFileCheck.h"
#include "app/Logger.h"
#include "app/QtTranslation.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "ui/MainWindow.h"
#include "ui/SystemTrayIcon.h"

#include <QApplication>
#ifdef Q_OS_WIN
#include <QSessionManager>
#endif

#include <cstdio>
#include <exception>

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
    // standard output on Windows too, where Qt's own help would be a message box.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const QString answer = commandLineAnswer(arguments);
    if (!answer.isEmpty()) {
        std::fputs(answer.toLocal8Bit().constData(), stdout);
        return 0;
    }

    // Scaling by the screen's density is decided when the application object is made.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#ifdef Q_OS_WIN
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
        std::fprintf(stderr, "Torvo is already running in this session but does not answer\n");
        return 1;
    case SingleInstance::First:
        break;
    }

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

    MainWindow* built = nullptr;
    QObject::connect(&instance, &SingleInstance::activationRequested, &app,
                     [&built]() { bringForward(built); });
    MainWindow window;
    built = &window;
    window.show();
    return app.exec();
}
