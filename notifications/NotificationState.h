#pragma once

#include "notifications/NotificationInfo.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class BaseReply;
class QTimer;

// The client's copy of the selected device's notifications: the pages loaded so far, the unread
// count, the tray summary and the per-module critical flags. Polls the count and the flags every
// five minutes; starts over when another device is selected; knows nothing of widgets.
class NotificationState : public QObject
{
    Q_OBJECT

public:
    explicit NotificationState(QObject* parent);

    NotificationHash getNotifications() const { return notificationHash; }
    int getAvailableNotificationCount() const { return availableNotificationCount; }
    CriticalNotificationType getCriticalNotificationType() const { return criticalNotificationType; }
    CriticalModuleNotification getCriticalModuleNotification() const { return criticalModuleNotification; }

    static constexpr int firstPageSize = 20;

signals:
    void notificationChanged(NotificationHash notificationHash);
    void availableNotificationCountChanged(int availableNotificationCount);
    void hasCriticalNotification(CriticalNotificationType criticalNotificationType);
    void criticalModuleNotificationChanged(CriticalModuleNotification criticalModuleNotification);
    // A page of the selected device arrived, before it is merged; `full` when it held as many
    // notifications as were asked for, so that more may follow.
    void notificationPageReceived(bool full);

public slots:
    void updateAvailableNotificationCount();
    void updateNotificationList(int offset, int limit);
    void markNotificationAsRead(QList<int> notificationIds);
    void deleteNotification(QList<int> notificationIds);
    void clearNotifications();
    void updateCriticalModuleNotification();
    // The full reload: empty the collection, then the unread count and the first page. A page
    // still in flight is superseded, so an older page can never refill the emptied list.
    void reloadNotifications();

private:
    friend class NotificationMergeProbe; // the merge fuzzer feeds pages in without a socket

    void initializePeriodicRequest();
    void updateNotification(QList<NotificationInfo> page);
    // Another device: nothing of the previous one is kept, shown or merged any more.
    void onDeviceChanged(const QString& device);
    void resetSummaries();

    // Sends `request` for the selected device; `onDone` runs after either outcome.
    template <typename R, typename OnSuccess>
    R* send(R* request, const char* subject, OnSuccess onSuccess, std::function<void()> onDone);

    bool countRequestPending = false;
    bool listRequestPending = false;
    bool criticalRequestPending = false;
    int availableNotificationCount = 0;
    NotificationHash notificationHash;
    CriticalNotificationType criticalNotificationType = NoUnread;
    QTimer* periodicTimer = nullptr;
    CriticalModuleNotification criticalModuleNotification;
    QPointer<BaseReply> countRequest;
    QPointer<BaseReply> listRequest;
    QPointer<BaseReply> criticalRequest;
};
