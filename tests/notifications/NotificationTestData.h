#pragma once

#include "notifications/NotificationInfo.h"

#include <QDateTime>
#include <QTimeZone>

// Records for the table tests: a larger id is a later notification, one minute apart.
inline NotificationInfo notificationRecord(int id, NotificationModule module = DKKT,
                                           NotificationType type = Unread)
{
    NotificationInfo info;
    info.id = id;
    info.header = QStringLiteral("Заголовок %1").arg(id);
    info.message = QStringLiteral("Сообщение %1").arg(id);
    info.notificationType = type;
    info.notificationModule = module;
    info.isRead = type == Read;
    const QDateTime base(QDate(2026, 12, 8), QTime(10, 0), QTimeZone(3 * 3600));
    info.dateTime = base.addSecs(60 * id).toString(Qt::ISODate);
    return info;
}

inline NotificationHash notificationRange(int first, int last, NotificationModule module = DKKT)
{
    NotificationHash hash;
    for (int id = first; id <= last; ++id) {
        hash.insert(id, notificationRecord(id, module));
    }
    return hash;
}
