#pragma once

#include "notifications/NotificationInfo.h"

#include <QFrame>
#include <QSet>

class InfoPage;
class NotificationsPage;
class QStackedWidget;
class QVBoxLayout;

// The page stack under the header: page 0 is the information page, page 1 the notifications.
class ContentFrame : public QFrame
{
    Q_OBJECT

public:
    explicit ContentFrame(QWidget* parent);

    QStackedWidget* getStack() const { return stack; }
    InfoPage* getInfoPage() const { return infoPage; }
    NotificationsPage* getNotificationsPage() const { return notificationsPage; }

    static constexpr int infoPageIndex = 0;
    static constexpr int notificationsPageIndex = 1;

signals:
    void pageChanged(int index);

public slots:
    void showNotifications(const QSet<NotificationModule>& visibleModules);

private:
    void setupUI();
    void addPages();
    void setupCallbacks();

    QVBoxLayout* layout = nullptr;
    QStackedWidget* stack = nullptr;
    InfoPage* infoPage = nullptr;
    NotificationsPage* notificationsPage = nullptr;
};
