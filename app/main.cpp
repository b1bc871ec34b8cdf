#include "app/Logger.h"
#include "app/Settings.h"
#include "ui/MainWindow.h"

#include <QApplication>

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    // Start-up failures stop the program before any window exists; the text goes to stderr.
    try {
        Settings::getInstance()->configurate();
        Logger::getInstance()->configurate(Settings::getLoggingConfig().toUtf8().toStdString());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    Logger::getInstance()->info("Starting application.");

    QApplication app(argc, argv);
    QGuiApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    window.show();
    return app.exec();
}
