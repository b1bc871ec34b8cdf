#include "notifications/NotificationsPage.h"

#include "app/Logger.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "ui/StatusLine.h"
#include "widgets/QtMaterialRaisedButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

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

    failureLine = new StatusLine(this);
    failureLine->setContentsMargins(5, 0, 5, 0);

    filterBar = new QWidget(this);
    filterLine = new QLabel(filterBar);
    filterLine->setWordWrap(true);
    showAllButton = new QtMaterialRaisedButton(QStringLiteral("Показать все модули"), filterBar);
    showAllButton->setHaloVisible(false);
    showAllButton->setProperty("class", QStringLiteral("revertButton"));
    auto* filterLayout = new QHBoxLayout(filterBar);
    filterLayout->setContentsMargins(5, 0, 5, 0);
    filterLayout->addWidget(filterLine, 1);
    filterLayout->addWidget(showAllButton);
    filterBar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table, 1);
    // Under the table, so that its header stays where the operator clicked it.
    layout->addWidget(failureLine);
    layout->addWidget(filterBar);
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
    connect(state, &NotificationState::listStatusChanged, this, &NotificationsPage::showListStatus);
    connect(table, &NotificationTable::moduleFilterChanged, this, &NotificationsPage::showModuleFilter);
    connect(showAllButton, &QAbstractButton::clicked, this,
            [this] { table->setModuleFilter(defaultModuleFilter()); });
}

void NotificationsPage::showListStatus()
{
    const ReadState list = state->listRead();
    QStringList failures;
    QStringList details;
    const auto addFailure = [&](const ReadState& read, const QString& what) {
        if (read.isFailed()) {
            failures.append(what + QStringLiteral(": ") + read.said());
            details.append(read.error);
        }
    };
    addFailure(list, QStringLiteral("Не удалось загрузить уведомления"));
    addFailure(state->markRead(), QStringLiteral("Не удалось отметить уведомления как прочитанные"));
    addFailure(state->deleteRead(), QStringLiteral("Не удалось удалить уведомления"));
    failureLine->showStatus(failures.join(QLatin1Char('\n')), StatusLine::Failure,
                            details.join(QLatin1Char('\n')));

    // An empty table says "none" only once the service said so.
    table->setPlaceholderText(state->isListLoading() ? QStringLiteral("Загрузка уведомлений…")
                              : list.phase == ReadState::Read ? QStringLiteral("Уведомлений нет")
                                                              : QString());
}

void NotificationsPage::showModuleFilter(const QSet<NotificationModule>& visibleModules)
{
    filterBar->setVisible(visibleModules != defaultModuleFilter());
    QList<NotificationModule> modules = visibleModules.values();
    std::sort(modules.begin(), modules.end());
    QStringList names;
    for (NotificationModule module : qAsConst(modules)) {
        names.append(notificationModuleName(module));
    }
    filterLine->setText(names.isEmpty() ? QStringLiteral("Фильтр скрывает уведомления всех модулей")
                                        : QStringLiteral("Показаны уведомления модулей: ") +
                                              names.join(QStringLiteral(", ")));
}

void NotificationsPage::updateButtonClicked()
{
    logDebug(QStringLiteral("Выполняем запрос на получение уведомлений..."));
    state->reloadNotifications();
}

void NotificationsPage::showNotifications(const QSet<NotificationModule>& visibleModules)
{
    table->setModuleFilter(visibleModules);
    // What lit the bell may be newer than every page loaded so far.
    state->readFirstPageAgain();
}
