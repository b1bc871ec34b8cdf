#include "notifications/NotificationsPage.h"

#include "app/Logger.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QVBoxLayout>

NotificationsPage::NotificationsPage(QWidget* parent)
    : QWidget(parent)
{
    state = new NotificationState(this);
    setupUI();
    setupCallbacks();
}

void NotificationsPage::setupUI()
{
    table = new NotificationTable(this);
    updateButton = new QtMaterialRaisedButton(QStringLiteral("Обновить информацию"), this);
    updateButton->setHaloVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table, 1);
    layout->addSpacing(10);
    layout->addWidget(updateButton, 0, Qt::AlignHCenter | Qt::AlignVCenter);
    layout->addSpacing(10);
}

void NotificationsPage::setupCallbacks()
{
    connect(updateButton, &QAbstractButton::clicked, this, &NotificationsPage::updateButtonClicked);
    connect(table, &NotificationTable::loadMoreDataRequested, state,
            &NotificationState::updateNotificationList);
    connect(table, &NotificationTable::deleteNotificationsRequested, state,
            &NotificationState::deleteNotification);
    connect(table, &NotificationTable::markNotificationsAsReadRequested, state,
            &NotificationState::markNotificationAsRead);
    connect(state, &NotificationState::notificationChanged, table, &NotificationTable::updateFromState);
    connect(state, &NotificationState::notificationPageReceived, table,
            &NotificationTable::setMorePagesExpected);
}

void NotificationsPage::updateButtonClicked()
{
    Logger::getInstance()->debug(
        QStringLiteral("Выполняем запрос на получение уведомлений...").toStdString());
    state->reloadNotifications();
}

void NotificationsPage::showNotifications(const QSet<NotificationModule>& visibleModules)
{
    table->setModuleFilter(visibleModules);
}
