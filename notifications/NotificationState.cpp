#include "notifications/NotificationState.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestNotificationsCount.h"
#include "network/RequestNotificationsDelete.h"
#include "network/RequestNotificationsList.h"
#include "network/RequestNotificationsMarked.h"
#include "network/RequestSender.h"
#include "notifications/NotificationPollInterval.h"

#include <QTimer>

NotificationState::NotificationState(QObject* parent)
    : QObject(parent)
{
    registerNotificationMetaTypes();
    initializePeriodicRequest();
    connect(ApplicationState::getInstance(), &ApplicationState::deviceChanged, this,
            &NotificationState::onDeviceChanged);
}

void NotificationState::initializePeriodicRequest()
{
    periodicTimer = new QTimer(this);
    periodicTimer->setInterval(notificationPollIntervalMs());
    periodicTimer->setSingleShot(false);
    connect(periodicTimer, &QTimer::timeout, this, &NotificationState::updateAvailableNotificationCount);
    connect(periodicTimer, &QTimer::timeout, this, &NotificationState::updateCriticalModuleNotification);
    periodicTimer->start();
}

template <typename R, typename OnSuccess>
R* NotificationState::send(R* request, const char* subject, OnSuccess onSuccess,
                           std::function<void(const QString& error)> onDone)
{
    const RequestCourse course = ApplicationState::courseForSelection(this, QString::fromUtf8(subject));
    request->setDevice(course.device);
    return RequestSender::send<R>(
        request, course,
        [onSuccess, onDone](R* reply) {
            onSuccess(reply);
            onDone(QString());
        },
        onDone);
}

void NotificationState::onDeviceChanged(const QString& device)
{
    // The requests in flight were asked for the previous device, and what it told goes with them.
    SingleFlight::cancel({&countPoll, &listPoll, &criticalPoll});
    list = mark = remove = ReadState();
    resetSummaries();
    clearNotifications();
    emit listStatusChanged();
    if (device.isEmpty()) {
        return;
    }
    updateAvailableNotificationCount();
    updateNotificationList(0, firstPageSize);
    updateCriticalModuleNotification();
}

void NotificationState::resetSummaries()
{
    if (availableNotificationCount != 0) {
        availableNotificationCount = 0;
        emit availableNotificationCountChanged(0);
    }
    if (criticalNotificationType != NoUnread) {
        criticalNotificationType = NoUnread;
        emit summaryRestored(NoUnread);
    }
    if (criticalModuleNotification != CriticalModuleNotification()) {
        criticalModuleNotification = CriticalModuleNotification();
        emit criticalModuleNotificationChanged(criticalModuleNotification);
    }
}

void NotificationState::refreshSummaries()
{
    countPoll.askAgainAfter();
    criticalPoll.askAgainAfter();
    updateAvailableNotificationCount();
    updateCriticalModuleNotification();
}

void NotificationState::reloadNotifications()
{
    SingleFlight::cancel({&listPoll});
    clearNotifications();
    updateAvailableNotificationCount();
    updateNotificationList(0, firstPageSize);
}

void NotificationState::readFirstPageAgain()
{
    SingleFlight::cancel({&listPoll});
    updateNotificationList(0, firstPageSize);
}

void NotificationState::updateAvailableNotificationCount()
{
    if (countPoll.isBusy()) {
        return;
    }
    logDebug(QStringLiteral("Запрос обновления количества доступных уведомлений ..."));
    countPoll.start(send(
        new RequestNotificationsCount(this), "обновления количества доступных уведомлений",
        [this](RequestNotificationsCount* reply) {
            const int count = reply->getUnreadCount();
            if (count != availableNotificationCount) {
                availableNotificationCount = count;
                emit availableNotificationCountChanged(count);
            }
            const CriticalNotificationType summary = reply->hasCriticalNotifications() ? HasCritical
                                                     : availableNotificationCount > 0  ? HasUnread
                                                                                       : NoUnread;
            const bool news =
                announcements.isNews(ApplicationState::getInstance()->getCurrentDevice(), summary);
            if (summary != criticalNotificationType) {
                criticalNotificationType = summary;
                if (news) {
                    emit hasCriticalNotification(summary);
                } else {
                    emit summaryRestored(summary);
                }
            }
        },
        [this](const QString&) {
            if (countPoll.finish()) {
                updateAvailableNotificationCount();
            }
        }));
}

void NotificationState::updateCriticalModuleNotification()
{
    if (criticalPoll.isBusy()) {
        return;
    }
    logDebug(QStringLiteral("Запрос обновления информации о критических уведомлениях ..."));
    criticalPoll.start(send(
        new RequestCriticalModule(this), "обновления информации о критических уведомлениях",
        [this](RequestCriticalModule* reply) {
            CriticalModuleNotification flags;
            flags.hasCriticalLdb = reply->hasCriticalLdb();
            flags.hasCriticalGismt = reply->hasCriticalGismt();
            flags.hasCriticalTorvo = reply->hasCriticalTorvo();
            flags.hasCriticalDkkt = reply->hasCriticalDkkt();
            flags.hasCriticalSoftware = reply->hasCriticalSoftware();
            if (flags != criticalModuleNotification) {
                criticalModuleNotification = flags;
                emit criticalModuleNotificationChanged(criticalModuleNotification);
            }
            // A module's critical flag that the summary does not show yet (or no more): the tray
            // is told now, not at the next poll, so that it changes with the bell. A count on its
            // way brings the news anyway.
            const bool anyCritical = flags.hasCriticalLdb || flags.hasCriticalGismt ||
                                     flags.hasCriticalTorvo || flags.hasCriticalDkkt ||
                                     flags.hasCriticalSoftware;
            if (anyCritical != (criticalNotificationType == HasCritical) && !countPoll.isBusy()) {
                updateAvailableNotificationCount();
            }
        },
        [this](const QString&) {
            if (criticalPoll.finish()) {
                updateCriticalModuleNotification();
            }
        }));
}

void NotificationState::updateNotificationList(int offset, int limit)
{
    if (listPoll.isBusy()) {
        return;
    }
    logDebug(QStringLiteral("Запрос обновления списка уведомлений ..."));
    auto* request = new RequestNotificationsList(this);
    request->setOffset(offset);
    request->setLimit(limit);
    // A mark or delete that ends while the page is on its way may be missing from it: the service
    // can have read the page before. Such a page would undo the command on screen; it is asked for
    // again instead.
    const int commandsBefore = commandsDone;
    listPoll.start(send(
        request, "обновления списка уведомлений",
        [this, limit, commandsBefore](RequestNotificationsList* reply) {
            if (commandsDone != commandsBefore) {
                return;
            }
            const QList<NotificationInfo> page = reply->getNotifications();
            emit notificationPageReceived(limit > 0 && page.size() >= limit);
            updateNotification(page);
        },
        [this, request, offset, limit, commandsBefore](const QString& error) {
            listPoll.finish();
            if (error.isEmpty() && commandsDone != commandsBefore) {
                updateNotificationList(offset, limit);
                return;
            }
            list = error.isEmpty() ? ReadState::read() : ReadState::failed(*request, error);
            emit listStatusChanged();
        }));
    emit listStatusChanged();
}

void NotificationState::updateNotification(QList<NotificationInfo> page)
{
    bool changed = false;
    for (const NotificationInfo& info : page) {
        auto held = notificationHash.find(info.id);
        if (held == notificationHash.end()) {
            notificationHash.insert(info.id, info);
            changed = true;
        } else if (held.value() != info) {
            held.value() = info;
            changed = true;
        }
    }
    if (changed) {
        emit notificationChanged(notificationHash);
    }
}

void NotificationState::markNotificationAsRead(QList<int> notificationIds)
{
    logDebug(QStringLiteral("Запрос отметки уведомлений как прочитанных ..."));
    auto* request = new RequestNotificationsMarked(this);
    request->setIds(notificationIds);
    send(
        request, "отметки уведомлений как прочитанных",
        [this, notificationIds](RequestNotificationsMarked*) {
            for (int id : notificationIds) {
                auto held = notificationHash.find(id);
                if (held != notificationHash.end()) {
                    held->isRead = true;
                    held->notificationType = Read;
                }
            }
            emit notificationChanged(notificationHash);
        },
        [this, request](const QString& error) { settleCommand(mark, request, error); });
}

void NotificationState::deleteNotification(QList<int> notificationIds)
{
    logDebug(QStringLiteral("Запрос удаления уведомлений ..."));
    auto* request = new RequestNotificationsDelete(this);
    request->setIds(notificationIds);
    send(
        request, "удаления уведомлений",
        [this, notificationIds](RequestNotificationsDelete*) {
            for (int id : notificationIds) {
                notificationHash.remove(id);
            }
            emit notificationChanged(notificationHash);
        },
        [this, request](const QString& error) { settleCommand(remove, request, error); });
}

void NotificationState::settleCommand(ReadState& command, const BaseReply* request, const QString& error)
{
    const bool wasFailed = command.isFailed();
    command = error.isEmpty() ? ReadState::read() : ReadState::failed(*request, error);
    if (wasFailed || command.isFailed()) {
        emit listStatusChanged();
    }
    if (error.isEmpty()) {
        ++commandsDone;
        refreshSummaries();
    }
}

void NotificationState::clearNotifications()
{
    notificationHash.clear();
    emit notificationChanged(notificationHash);
    if (list.phase == ReadState::Read) {
        list = ReadState();
        emit listStatusChanged();
    }
}
