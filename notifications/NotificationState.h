#pragma once

#include "notifications/NotificationInfo.h"

#include <QList>
#include <QObject>

class BaseReply;
class QTimer;

// The client's copy of the service's notifications: the pages loaded so far, the unread count,
// the tray summary and the per-module critical flags. Polls the count and the flags every five
// minutes; knows nothing of widgets.
class NotificationState : public QObject
{
    Q_OBJECT

public:
    explicit NotificationState(QObject* parent);

    NotificationHash getNotifications() const { return notificationHash; }
    int getAvailableNotificationCount() const { return availableNotificationCount; }
    CriticalNotificationType getCriticalNotificationType() const { return criticalNotificationType; }
    CriticalModuleNotification getCriticalModuleNotification() const { return criticalModuleNotification; }

    // A count, list or critical request still unanswered after this long is given up, so that a
    // hung service cannot stop the poll for good.
    void setRequestTimeLimit(int milliseconds) { requestTimeLimit = milliseconds; }
    static constexpr int defaultRequestTimeLimit = 60000;

signals:
    void notificationChanged(NotificationHash notificationHash);
    void availableNotificationCountChanged(int availableNotificationCount);
    void hasCriticalNotification(CriticalNotificationType criticalNotificationType);
    void criticalModuleNotificationChanged(CriticalModuleNotification criticalModuleNotification);

public slots:
    void updateAvailableNotificationCount();
    void updateNotificationList(int offset, int limit);
    void markNotificationAsRead(QList<int> notificationIds);
    void deleteNotification(QList<int> notificationIds);
    void clearNotifications();
    void updateCriticalModuleNotification();

private:
    void initializePeriodicRequest();
    void updateNotification(QList<NotificationInfo> page);

    template <typename R, typename OnSuccess, typename OnDone>
    R* prepare(const char* startText, const char* subject, OnSuccess onSuccess, OnDone onDone);
    // Abandons `request` when it is still unanswered after the time limit; `onGiveUp` clears its flag.
    template <typename OnGiveUp> void limitTime(BaseReply* request, const char* subject, OnGiveUp onGiveUp);

    bool countRequestPending = false;
    bool listRequestPending = false;
    bool criticalRequestPending = false;
    int availableNotificationCount = 0;
    NotificationHash notificationHash;
    CriticalNotificationType criticalNotificationType = NoUnread;
    QTimer* periodicTimer = nullptr;
    CriticalModuleNotification criticalModuleNotification;
    int requestTimeLimit = defaultRequestTimeLimit;
};
