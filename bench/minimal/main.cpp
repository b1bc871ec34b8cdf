// The baseline of the start-up and memory figures: the least a Qt Widgets program shows, a main
// window with one label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Torvo"));
    window.setCentralWidget(new QLabel(QStringLiteral("Torvo"), &window));
    window.resize(800, 750);
    window.show();
    return app.exec();
}
