#pragma once

#include <QMainWindow>
#include <QMargins>

class ContentFrame;
class HeaderFrame;
class SystemTrayIcon;

// The client's one window: header, page stack, tray icon and the application style sheet.
// Closing it hides it to the tray; without a tray, closing it ends the program.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    HeaderFrame* getHeaderFrame() const { return headerFrame; }
    ContentFrame* getContentFrame() const { return contentFrame; }
    SystemTrayIcon* getSystemTray() const { return systemTray; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void setupUI();
    void setupSystemTray();
    void setupCallbacks();
    void applyStyles();
    void fitScreen();

    QWidget* centralWidget = nullptr;
    HeaderFrame* headerFrame = nullptr;
    ContentFrame* contentFrame = nullptr;
    SystemTrayIcon* systemTray = nullptr;
    // The frame the window was last fitted to the screen with.
    QMargins fittedFrame;
};
