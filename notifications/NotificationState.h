#pragma once

#include "app/ReadState.h"
#include "network/SingleFlight.h"
#include "notifications/NotificationAnnouncements.h"
#include "notifications/NotificationInfo.h"

#include <QList>
#include <QObject>

#include <functional>

class BaseReply;
class QTimer;

// The client's copy of the selected device's notifications: the pages loaded so far, the unread
// count, the tray summary and the per-module critical flags. Polls the count and the flags every
// five minutes and after each mark or delete; starts over when another device is selected; keeps
// what failed for the page to say; knows nothing of widgets.
class NotificationState : public QObject
{
    Q_OBJECT

public:
    explicit NotificationState(QObject* parent);

    NotificationHash getNotifications() const { return notificationHash; }
    int getAvailableNotificationCount() const { return availableNotificationCount; }
    CriticalNotificationType getCriticalNotificationType() const { return criticalNotificationType; }
    CriticalModuleNotification getCriticalModuleNotification() const { return criticalModuleNotification; }

    // What became of the list pages since the list was last emptied: read (so an empty list is
    // really empty), or failed and why, until a page is read.
    ReadState listRead() const { return list; }
    bool isListLoading() const { return listPoll.isBusy(); }
    // What became of the last mark and the last delete for the selected device.
    ReadState markRead() const { return mark; }
    ReadState deleteRead() const { return remove; }

    static constexpr int firstPageSize = 20;

signals:
    void notificationChanged(NotificationHash notificationHash);
    void availableNotificationCountChanged(int availableNotificationCount);
    void hasCriticalNotification(CriticalNotificationType criticalNotificationType);
    void criticalModuleNotificationChanged(CriticalModuleNotification criticalModuleNotification);
    // A page of the selected device arrived, before it is merged; `full` when it held as many
    // notifications as were asked for, so that more may follow.
    void notificationPageReceived(bool full);
    // Loading, read or a failure changed.
    void listStatusChanged();
    // The summary changed without news for the operator: another device was selected, or the
    // selected one is back at the level it was last announced at. hasCriticalNotification
    // carries the changes that are news.
    void summaryRestored(CriticalNotificationType criticalNotificationType);

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
    // The first page read again and merged, the pages loaded so far kept: the operator opens the
    // notifications to see what just lit a bell. A page still in flight gives way to it.
    void readFirstPageAgain();

private:
    friend class NotificationMergeProbe; // the merge fuzzer feeds pages in without a socket

    void initializePeriodicRequest();
    void updateNotification(QList<NotificationInfo> page);
    // Another device: nothing of the previous one is kept, shown or merged any more.
    void onDeviceChanged(const QString& device);
    void resetSummaries();
    // After the operator's mark or delete: the count and the flags changed on the service.
    void refreshSummaries();
    // The end of a mark or delete: its outcome kept for the page, the summaries asked again.
    void settleCommand(ReadState& command, const BaseReply* request, const QString& error);

    // Sends `request` for the selected device; `onDone` runs after either outcome, with the
    // error text or, after a success, an empty one.
    template <typename R, typename OnSuccess>
    R* send(R* request, const char* subject, OnSuccess onSuccess,
            std::function<void(const QString& error)> onDone);

    SingleFlight countPoll;
    SingleFlight listPoll;
    SingleFlight criticalPoll;
    ReadState list;
    ReadState mark;
    ReadState remove;
    int commandsDone = 0; // marks and deletes the service accepted
    NotificationAnnouncements announcements;
    int availableNotificationCount = 0;
    NotificationHash notificationHash;
    CriticalNotificationType criticalNotificationType = NoUnread;
    QTimer* periodicTimer = nullptr;
    CriticalModuleNotification criticalModuleNotification;
};
