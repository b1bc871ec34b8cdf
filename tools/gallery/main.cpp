// Shows every material widget in its states. Takes no arguments besides Qt's own.
#include "GalleryWindow.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GalleryWindow window;
    window.show();
    QTimer::singleShot(0, &window, &GalleryWindow::showFocusedStates);
    return app.exec();
}
