#pragma once

#include "NotificationFactory.h"
#include "NotificationStore.h"

#include <QHash>

// The notifications of every device, with ids unique across all of them.
class NotificationBook
{
public:
    explicit NotificationBook(quint32 seed);

    // Gives `device` a month of history.
    void fill(const QString& device, int count, const QDateTime& now);
    // Adds a notification with a text that fits module and type (any module and type when empty).
    SimNotification add(const QString& device, const QString& module, const QString& type,
                        const QDateTime& at);
    // Adds exactly this notification under a new id.
    SimNotification add(const QString& device, SimNotification notification);

    NotificationStore& store(const QString& device) { return stores[device]; }
    NotificationStore store(const QString& device) const { return stores.value(device); }
    int total() const;

private:
    QHash<QString, NotificationStore> stores;
    NotificationFactory factory;
    int nextId = 1;
};
