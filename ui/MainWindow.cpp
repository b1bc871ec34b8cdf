#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QLabel>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Torvo"));
    setWindowIcon(QIcon(QStringLiteral(":/images/gui_velkor.ico")));
    auto* label = new QLabel(QStringLiteral("Torvo"), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    setMinimumSize(800, 750);
    resize(800, 750);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}
