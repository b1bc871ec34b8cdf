#include "ui/SystemTrayIcon.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>

SystemTrayIcon::SystemTrayIcon(QMainWindow* mainWindow)
    : QObject(mainWindow)
    , mainWindow(mainWindow)
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        setupTrayIcon();
        createTrayMenu();
    } else {
        QMessageBox::critical(mainWindow, tr("Системный трей"),
                              tr("Системный трей недоступен на этой системе."), QMessageBox::Ok);
    }
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
    trayIcon->setIcon(QIcon(QStringLiteral(":/images/gui_velkor.ico")));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &SystemTrayIcon::onTrayActivated);
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
    showMessage(QStringLiteral("Torvo"),
                QStringLiteral("Приложение доступно в системном трее.\nДважды кликните для открытия."),
                QSystemTrayIcon::Information, 3000);
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
        return QIcon(QStringLiteral(":/images/gui_velkor_unread.ico"));
    case HasCritical:
        return QIcon(QStringLiteral(":/images/gui_velkor_critical.ico"));
    case NoUnread:
    default:
        return QIcon(QStringLiteral(":/images/gui_velkor.ico"));
    }
}

void SystemTrayIcon::showMessage(const QString& title, const QString& message,
                                 QSystemTrayIcon::MessageIcon icon, int msecs)
{
    if (trayIcon) {
        trayIcon->showMessage(title, message, icon, msecs);
    }
}

void SystemTrayIcon::updateCriticalNotification(CriticalNotificationType criticalNotificationType)
{
    if (!trayIcon) {
        return;
    }
    auto icon = icons.find(criticalNotificationType);
    if (icon == icons.end()) {
        icon = icons.insert(criticalNotificationType, createTrayIcon(criticalNotificationType));
    }
    trayIcon->setIcon(icon.value());
    switch (criticalNotificationType) {
    case HasUnread:
        trayIcon->setToolTip(QStringLiteral("Torvo (Непрочитанные уведомления)"));
        showMessage(QStringLiteral("Torvo"), QStringLiteral("Есть непрочитанные уведомления."),
                    QSystemTrayIcon::Warning, 5000);
        break;
    case HasCritical:
        trayIcon->setToolTip(QStringLiteral("Torvo (Критические уведомления)"));
        showMessage(QStringLiteral("Torvo"), QStringLiteral("Есть критические уведомления."),
                    QSystemTrayIcon::Critical, 5000);
        break;
    case NoUnread:
    default:
        trayIcon->setToolTip(QStringLiteral("Torvo"));
        break;
    }
}

void SystemTrayIcon::showWindow()
{
    mainWindow->showNormal();
    mainWindow->raise();
    mainWindow->activateWindow();
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
