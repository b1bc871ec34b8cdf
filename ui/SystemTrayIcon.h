#pragma once

#include "notifications/NotificationInfo.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMainWindow;
class QMenu;

// The tray icon: shows the unread/critical summary, brings the window back and is the way to quit.
// Without a system tray every operation does nothing until a tray comes up; the icon is then made
// as if it had been there from the start.
class SystemTrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit SystemTrayIcon(QMainWindow* mainWindow);
    ~SystemTrayIcon() override;

    void showTray();
    void hideTray();
    bool isVisible() const;
    bool isAvailable() const { return trayIcon != nullptr; }

    static QIcon createTrayIcon(CriticalNotificationType type);
    static QString toolTipOf(CriticalNotificationType type);
    QSystemTrayIcon* getTrayIcon() const { return trayIcon; }
    QMenu* getTrayMenu() const { return trayMenu; }

signals:
    // The operator clicked the balloon that told of unread or critical notifications.
    void notificationsAsked();

public slots:
    void showMessage(const QString& title, const QString& message,
                     QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information, int msecs = 3000);
    // The icon, the tooltip and the balloon of the summary's level.
    void updateCriticalNotification(CriticalNotificationType criticalNotificationType);
    // The icon and the tooltip alone, for a summary that is no news to the operator.
    void showSummary(CriticalNotificationType criticalNotificationType);
    void showWindow();
    void hideWindow();
    void toggleWindow();
    void onTrayActivated(QSystemTrayIcon::ActivationReason reason);
    void exitApplication();

signals:
    // The window came back from the tray or from its minimised state: what it shows may be hours
    // old.
    void windowRestored();

private:
    void setupTrayIcon();
    void createTrayMenu();
    void watchForTray();
    void applySummary();
    void nameBalloonButtons();

    QMainWindow* mainWindow = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QMenu* trayMenu = nullptr;
    QAction* restoreAction = nullptr;
    QAction* quitAction = nullptr;
    bool startBalloonPending = false;
    bool notificationBalloonShown = false; // the last balloon told of notifications
    CriticalNotificationType summary = NoUnread;
};
