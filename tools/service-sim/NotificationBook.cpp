#include "NotificationBook.h"

NotificationBook::NotificationBook(quint32 seed)
    : factory(seed)
{
}

void NotificationBook::fill(const QString& device, int count, const QDateTime& now)
{
    for (const SimNotification& notification : factory.history(count, now)) {
        add(device, notification);
    }
}

SimNotification NotificationBook::add(const QString& device, const QString& module, const QString& type,
                                      const QDateTime& at)
{
    SimNotification notification = factory.any(at);
    if (!module.isEmpty() || !type.isEmpty()) {
        notification = factory.make(module.isEmpty() ? notification.module : module,
                                    type.isEmpty() ? notification.type : type, at);
    }
    return add(device, notification);
}

SimNotification NotificationBook::add(const QString& device, SimNotification notification)
{
    notification.id = nextId++;
    stores[device].add(notification);
    return notification;
}

int NotificationBook::total() const
{
    int sum = 0;
    for (const NotificationStore& store : stores) {
        sum += store.size();
    }
    return sum;
}
