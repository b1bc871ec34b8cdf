#pragma once

#include <QMainWindow>

// The top-level window of the client.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

protected:
    // Until the tray exists, closing the window is the way to end the process.
    void closeEvent(QCloseEvent* event) override;
};
