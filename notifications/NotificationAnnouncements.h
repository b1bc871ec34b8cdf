#pragma once

#include "notifications/NotificationInfo.h"

#include <QHash>
#include <QString>

// The level each register's notifications were last reported at, so that a balloon comes once
// per change of a register's level, and a return to a register whose level was announced says
// nothing new.
class NotificationAnnouncements
{
public:
    // The service reported `summary` for `device`: true when it differs from that register's
    // last reported level.
    bool isNews(const QString& device, CriticalNotificationType summary);

private:
    QHash<QString, CriticalNotificationType> told;
};
