#include "NotificationStore.h"

#include <QSet>

#include <algorithm>

void NotificationStore::add(const SimNotification& notification)
{
    items.prepend(notification);
}

QList<SimNotification> NotificationStore::page(int offset, int count) const
{
    if (offset < 0 || count <= 0 || offset >= items.size()) {
        return {};
    }
    return items.mid(offset, count);
}

int NotificationStore::markRead(const QList<int>& ids)
{
    const QSet<int> wanted(ids.begin(), ids.end());
    int changed = 0;
    for (SimNotification& notification : items) {
        if (!notification.isRead && wanted.contains(notification.id)) {
            notification.isRead = true;
            ++changed;
        }
    }
    return changed;
}

int NotificationStore::remove(const QList<int>& ids)
{
    const QSet<int> wanted(ids.begin(), ids.end());
    const int before = items.size();
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&wanted](const SimNotification& n) { return wanted.contains(n.id); }),
                items.end());
    return before - items.size();
}

int NotificationStore::unreadCount() const
{
    return static_cast<int>(
        std::count_if(items.begin(), items.end(), [](const SimNotification& n) { return !n.isRead; }));
}

bool NotificationStore::hasCritical(const QString& module) const
{
    return std::any_of(items.begin(), items.end(), [&module](const SimNotification& n) {
        return n.isCritical() && (module.isEmpty() || n.module == module);
    });
}
