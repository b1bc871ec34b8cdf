#pragma once

#include "SimNotification.h"

#include <QList>

// One device's notifications, newest first.
class NotificationStore
{
public:
    // The notification becomes the newest one.
    void add(const SimNotification& notification);

    // `count` notifications from position `offset` on; fewer (or none) past the end.
    QList<SimNotification> page(int offset, int count) const;
    // Marks the notifications with these ids read; returns how many changed.
    int markRead(const QList<int>& ids);
    // Removes the notifications with these ids; returns how many were removed.
    int remove(const QList<int>& ids);

    int size() const { return items.size(); }
    int unreadCount() const;
    // An unread "ERR" notification exists, of `module` or, with an empty module, of any.
    bool hasCritical(const QString& module = QString()) const;

private:
    QList<SimNotification> items;
};
