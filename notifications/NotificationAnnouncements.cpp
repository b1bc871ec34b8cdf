#include "notifications/NotificationAnnouncements.h"

bool NotificationAnnouncements::isNews(const QString& device, CriticalNotificationType summary)
{
    const CriticalNotificationType before = told.value(device, NoUnread);
    if (summary == NoUnread) {
        told.remove(device);
    } else {
        told.insert(device, summary);
    }
    return summary != before;
}
