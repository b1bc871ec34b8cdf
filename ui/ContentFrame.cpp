#include "ui/ContentFrame.h"

#include "app/ApplicationState.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationsPage.h"
#include "ui/InfoPage.h"
#include "ui/ModulePanel.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

ContentFrame::ContentFrame(QWidget* parent)
    : QFrame(parent)
{
    setupUI();
    addPages();
    setupCallbacks();
    // The first request goes out as the event loop starts: setting up the network layer need
    // not hold up the first sight of the window.
    QTimer::singleShot(0, ApplicationState::getInstance(), &ApplicationState::refreshDeviceList);
}

void ContentFrame::setupUI()
{
    layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stack = new QStackedWidget(this);
    layout->addWidget(stack);
}

void ContentFrame::addPages()
{
    // On a screen lower than the page, the page scrolls its panels itself, so that its buttons
    // stay in sight.
    infoPage = new InfoPage(this);
    stack->addWidget(infoPage);
    notificationsPage = new NotificationsPage(this);
    stack->addWidget(notificationsPage);
}

void ContentFrame::setupCallbacks()
{
    NotificationState* state = notificationsPage->getState();
    auto* refreshButton = infoPage->getUpdateButton();
    connect(refreshButton, &QtMaterialRaisedButton::clicked, ApplicationState::getInstance(),
            &ApplicationState::refreshInfo);
    connect(refreshButton, &QtMaterialRaisedButton::clicked, state,
            &NotificationState::updateCriticalModuleNotification);

    for (ModulePanel* panel : infoPage->getPanels()) {
        connect(panel, &ModulePanel::showNotifications, this, &ContentFrame::showNotifications);
        connect(state, &NotificationState::criticalModuleNotificationChanged, panel,
                &ModulePanel::updateCriticalModuleNotification);
    }
}

void ContentFrame::showNotifications(const QSet<NotificationModule>& visibleModules)
{
    emit pageChanged(notificationsPageIndex);
    notificationsPage->showNotifications(visibleModules);
}
