#include "notifications/NotificationState.h"

#include "app/ApplicationState.h"
#include "app/Logger.h"
#include "network/NetworkManager.h"
#include "network/RequestCriticalModule.h"
#include "network/RequestNotificationsCount.h"
#include "network/RequestNotificationsDelete.h"
#include "network/RequestNotificationsList.h"
#include "network/RequestNotificationsMarked.h"

#include <QTimer>

NotificationState::NotificationState(QObject* parent)
    : QObject(parent)
{
    registerNotificationMetaTypes();
    initializePeriodicRequest();
}

void NotificationState::initializePeriodicRequest()
{
    periodicTimer = new QTimer(this);
    periodicTimer->setInterval(300000);
    periodicTimer->setSingleShot(false);
    connect(periodicTimer, &QTimer::timeout, this, &NotificationState::updateAvailableNotificationCount);
    connect(periodicTimer, &QTimer::timeout, this, &NotificationState::updateCriticalModuleNotification);
    periodicTimer->start();
}

template <typename R, typename OnSuccess, typename OnDone>
R* NotificationState::prepare(const char* startText, const char* subject, OnSuccess onSuccess, OnDone onDone)
{
    logDebug(QString::fromUtf8(startText));
    auto* request = new R(this);
    request->setDevice(ApplicationState::getInstance()->getCurrentDevice());
    const QString prefix = QStringLiteral("Обработка ответа на запрос ") + QString::fromUtf8(subject);
    connect(
        request, &BaseReply::success, request,
        [prefix, onSuccess, onDone](BaseReply* reply) {
            logDebug(prefix + QStringLiteral(": success"));
            if (auto* typed = qobject_cast<R*>(reply)) {
                onSuccess(typed);
            }
            onDone();
            if (reply) {
                reply->deleteLater();
            }
        },
        Qt::DirectConnection);
    connect(
        request, &BaseReply::error, request,
        [prefix, onDone](const QString& message, BaseReply* reply) {
            logDebug(prefix + QStringLiteral(": error: `") + message + QStringLiteral("`"));
            onDone();
            if (reply) {
                reply->deleteLater();
            }
        },
        Qt::DirectConnection);
    return request;
}

template <typename OnGiveUp>
void NotificationState::limitTime(BaseReply* request, const char* subject, OnGiveUp onGiveUp)
{
    // The timer is the request's child: it dies with a request that answered in time.
    auto* timer = new QTimer(request);
    timer->setSingleShot(true);
    // An answer ends the watch at once, not only when the request is finally deleted.
    connect(request, &BaseReply::success, timer, &QTimer::stop);
    connect(request, &BaseReply::error, timer, &QTimer::stop);
    const QString subjectText = QString::fromUtf8(subject);
    connect(timer, &QTimer::timeout, this, [this, request, subjectText, onGiveUp]() {
        logDebug(QStringLiteral("Нет ответа на запрос %1 за %2 мс, запрос отменён")
                     .arg(subjectText)
                     .arg(requestTimeLimit));
        // A reply that still comes must find nobody listening.
        disconnect(request, &BaseReply::success, nullptr, nullptr);
        disconnect(request, &BaseReply::error, nullptr, nullptr);
        NetworkManager::getInstance()->abandonRequest(request);
        onGiveUp();
    });
    timer->start(requestTimeLimit);
}

void NotificationState::updateAvailableNotificationCount()
{
    if (countRequestPending) {
        return;
    }
    countRequestPending = true;
    auto* request = prepare<RequestNotificationsCount>(
        "Запрос обновления количества доступных уведомлений ...",
        "обновления количества доступных уведомлений",
        [this](RequestNotificationsCount* reply) {
            const int count = reply->getUnreadCount();
            if (count != availableNotificationCount) {
                availableNotificationCount = count;
                emit availableNotificationCountChanged(count);
            }
            const CriticalNotificationType summary = reply->hasCriticalNotifications() ? HasCritical
                                                     : availableNotificationCount > 0  ? HasUnread
                                                                                       : NoUnread;
            if (summary != criticalNotificationType) {
                criticalNotificationType = summary;
                emit hasCriticalNotification(summary);
            }
        },
        [this] { countRequestPending = false; });
    limitTime(request, "обновления количества доступных уведомлений",
              [this] { countRequestPending = false; });
    NetworkManager::getInstance()->executeRequest(request);
}

void NotificationState::updateCriticalModuleNotification()
{
    if (criticalRequestPending) {
        return;
    }
    criticalRequestPending = true;
    auto* request = prepare<RequestCriticalModule>(
        "Запрос обновления информации о критических уведомлениях ...",
        "обновления информации о критических уведомлениях",
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
        },
        [this] { criticalRequestPending = false; });
    limitTime(request, "обновления информации о критических уведомлениях",
              [this] { criticalRequestPending = false; });
    NetworkManager::getInstance()->executeRequest(request);
}

void NotificationState::updateNotificationList(int offset, int limit)
{
    if (listRequestPending) {
        return;
    }
    listRequestPending = true;
    auto* request = prepare<RequestNotificationsList>(
        "Запрос обновления списка уведомлений ...", "обновления списка уведомлений",
        [this](RequestNotificationsList* reply) { updateNotification(reply->getNotifications()); },
        [this] { listRequestPending = false; });
    request->setOffset(offset);
    request->setLimit(limit);
    limitTime(request, "обновления списка уведомлений", [this] { listRequestPending = false; });
    NetworkManager::getInstance()->executeRequest(request);
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
    auto* request = prepare<RequestNotificationsMarked>(
        "Запрос отметки уведомлений как прочитанных ...", "отметки уведомлений как прочитанных",
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
        [] {});
    request->setIds(notificationIds);
    NetworkManager::getInstance()->executeRequest(request);
}

void NotificationState::deleteNotification(QList<int> notificationIds)
{
    auto* request = prepare<RequestNotificationsDelete>(
        "Запрос удаления уведомлений ...", "удаления уведомлений",
        [this, notificationIds](RequestNotificationsDelete*) {
            for (int id : notificationIds) {
                notificationHash.remove(id);
            }
            emit notificationChanged(notificationHash);
        },
        [] {});
    request->setIds(notificationIds);
    NetworkManager::getInstance()->executeRequest(request);
}

void NotificationState::clearNotifications()
{
    notificationHash.clear();
    emit notificationChanged(notificationHash);
}
