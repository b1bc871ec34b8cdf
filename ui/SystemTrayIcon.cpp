#include "ui/SystemTrayIcon.h"

#include "ui/IconCache.h"
#include "ui/TrayWatcher.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

SystemTrayIcon::SystemTrayIcon(QMainWindow* mainWindow)
    : QObject(mainWindow)
    , mainWindow(mainWindow)
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        setupTrayIcon();
        createTrayMenu();
    } else {
        // Watched from before the box: a panel that starts while the box is open counts too.
        watchForTray();
        QMessageBox::critical(mainWindow, tr("Системный трей"),
                              tr("Системный трей недоступен на этой системе."), QMessageBox::Ok);
    }
}

void SystemTrayIcon::watchForTray()
{
    auto* watcher = new TrayWatcher(this);
    connect(watcher, &TrayWatcher::trayAvailable, this, [this, watcher]() {
        watcher->deleteLater();
        // As if the tray had been there from the start, with the summary it has missed.
        setupTrayIcon();
        createTrayMenu();
        applySummary();
        showTray();
    });
}

SystemTrayIcon::~SystemTrayIcon()
{
    if (trayIcon) {
        trayIcon->hide();
    }
}

void SystemTrayIcon::setupTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setIcon(createTrayIcon(NoUnread));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &SystemTrayIcon::onTrayActivated);
    connect(trayIcon, &QSystemTrayIcon::messageClicked, this, [this] {
        if (notificationBalloonShown) {
            emit notificationsAsked();
        }
    });
    trayIcon->setToolTip(QStringLiteral("Torvo"));
}

void SystemTrayIcon::createTrayMenu()
{
    if (!trayIcon) {
        return;
    }
    trayMenu = new QMenu(mainWindow);
    restoreAction = new QAction(QStringLiteral("Восстановить"), this);
    connect(restoreAction, &QAction::triggered, this, &SystemTrayIcon::showWindow);
    quitAction = new QAction(QStringLiteral("Выход"), this);
    connect(quitAction, &QAction::triggered, this, &SystemTrayIcon::exitApplication);
    trayMenu->addAction(restoreAction);
    trayMenu->addSeparator();
    trayMenu->addAction(quitAction);
    trayIcon->setContextMenu(trayMenu);
}

void SystemTrayIcon::showTray()
{
    if (!trayIcon || trayIcon->isVisible()) {
        return;
    }
    trayIcon->show();
    // Where the desktop draws no balloons, Qt builds one as a window of its own: that waits until
    // the main window is up, and a balloon shown meanwhile supersedes it.
    startBalloonPending = true;
    QTimer::singleShot(0, this, [this] {
        if (startBalloonPending) {
            showMessage(
                QStringLiteral("Torvo"),
                QStringLiteral("Приложение доступно в системном трее.\nДважды кликните для открытия."),
                QSystemTrayIcon::Information, 3000);
        }
    });
}

void SystemTrayIcon::hideTray()
{
    if (trayIcon) {
        trayIcon->hide();
    }
}

bool SystemTrayIcon::isVisible() const
{
    return trayIcon && trayIcon->isVisible();
}

QIcon SystemTrayIcon::createTrayIcon(CriticalNotificationType type)
{
    switch (type) {
    case HasUnread:
        return IconCache::icon(QStringLiteral(":/images/gui_velkor_unread.ico"));
    case HasCritical:
        return IconCache::icon(QStringLiteral(":/images/gui_velkor_critical.ico"));
    case NoUnread:
    default:
        return IconCache::icon(QStringLiteral(":/images/gui_velkor.ico"));
    }
}

void SystemTrayIcon::showMessage(const QString& title, const QString& message,
                                 QSystemTrayIcon::MessageIcon icon, int msecs)
{
    startBalloonPending = false;
    notificationBalloonShown = false;
    if (!trayIcon) {
        return;
    }
    trayIcon->showMessage(title, message, icon, msecs);
    nameBalloonButtons();
}

void SystemTrayIcon::nameBalloonButtons()
{
    // Without a notification service Qt draws the balloon itself, with a close button that has
    // only an icon; a screen reader gets a name for it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->inherits("QBalloonTip")) {
            continue;
        }
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->text().isEmpty() && button->accessibleName().isEmpty()) {
                button->setAccessibleName(QStringLiteral("Закрыть"));
            }
        }
    }
}

QString SystemTrayIcon::toolTipOf(CriticalNotificationType type)
{
    switch (type) {
    case HasUnread:
        return QStringLiteral("Torvo (Непрочитанные уведомления)");
    case HasCritical:
        return QStringLiteral("Torvo (Критические уведомления)");
    case NoUnread:
    default:
        return QStringLiteral("Torvo");
    }
}

void SystemTrayIcon::applySummary()
{
    // The same icon object at each change: Qt caches every icon's drawn pixmaps under that
    // icon's own key, so a new icon each time would leave a few KiB behind.
    trayIcon->setIcon(createTrayIcon(summary));
    trayIcon->setToolTip(toolTipOf(summary));
}

void SystemTrayIcon::showSummary(CriticalNotificationType criticalNotificationType)
{
    // Kept without a tray too, for a tray that comes up later.
    summary = criticalNotificationType;
    if (trayIcon) {
        applySummary();
    }
}

void SystemTrayIcon::updateCriticalNotification(CriticalNotificationType criticalNotificationType)
{
    showSummary(criticalNotificationType);
    switch (criticalNotificationType) {
    case HasUnread:
        showMessage(QStringLiteral("Torvo"), QStringLiteral("Есть непрочитанные уведомления."),
                    QSystemTrayIcon::Warning, 5000);
        notificationBalloonShown = true;
        break;
    case HasCritical:
        showMessage(QStringLiteral("Torvo"), QStringLiteral("Есть критические уведомления."),
                    QSystemTrayIcon::Critical, 5000);
        notificationBalloonShown = true;
        break;
    case NoUnread:
    default:
        break;
    }
}

void SystemTrayIcon::showWindow()
{
    const bool wasAway = !mainWindow->isVisible() || mainWindow->isMinimized();
    mainWindow->showNormal();
    mainWindow->raise();
    mainWindow->activateWindow();
    if (wasAway) {
        emit windowRestored();
    }
}

void SystemTrayIcon::hideWindow()
{
    mainWindow->hide();
}

void SystemTrayIcon::toggleWindow()
{
    if (mainWindow->isVisible()) {
        hideWindow();
    } else {
        showWindow();
    }
}

void SystemTrayIcon::onTrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick) {
        toggleWindow();
    }
}

void SystemTrayIcon::exitApplication()
{
    if (trayIcon) {
        trayIcon->hide();
    }
    QCoreApplication::quit();
}
