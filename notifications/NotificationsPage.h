#pragma once

#include "notifications/NotificationInfo.h"

#include <QSet>
#include <QWidget>

class NotificationState;
class NotificationTable;
class QLabel;
class QtMaterialRaisedButton;
class StatusLine;

// The "Уведомления" page: the notification table over a reload button. It owns the
// notification state and is the only place that reloads the whole list. Under the table it
// says what failed and which modules the filter shows.
class NotificationsPage : public QWidget
{
    Q_OBJECT

public:
    explicit NotificationsPage(QWidget* parent = nullptr);

    // The main window connects the tray and the status panels to it.
    NotificationState* getState() const { return state; }

public slots:
    void updateButtonClicked();
    void showNotifications(const QSet<NotificationModule>& visibleModules);

private:
    void setupUI();
    void setupCallbacks();
    void showListStatus();
    void showModuleFilter(const QSet<NotificationModule>& visibleModules);

    NotificationState* state = nullptr;
    NotificationTable* table = nullptr;
    QtMaterialRaisedButton* updateButton = nullptr;
    StatusLine* failureLine = nullptr;
    QWidget* filterBar = nullptr;
    QLabel* filterLine = nullptr;
    QtMaterialRaisedButton* showAllButton = nullptr;
};
