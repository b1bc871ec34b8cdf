#pragma once

#include "notifications/NotificationInfo.h"

#include <QHash>
#include <QString>

// What the operator was last told of each register's notifications, so that a balloon announces
// notifications that appeared, not a return to a register whose notifications were announced.
// A level stays told until the register's summary falls below it.
class NotificationAnnouncements
{
public:
    // The service reported `summary` for `device`: true when it is news to the operator.
    bool isNews(const QString& device, CriticalNotificationType summary);

private:
    QHash<QString, CriticalNotificationType> told;
};
