#pragma once

#include "SimNotification.h"

#include <QList>
#include <QRandomGenerator>

// Writes notifications that read like a working service's: texts per module and type, with
// numbers that vary. The same seed gives the same notifications. Ids are left to the caller.
class NotificationFactory
{
public:
    explicit NotificationFactory(quint32 seed);

    // A notification of this module and type; an unknown module or type gets a general text.
    SimNotification make(const QString& module, const QString& type, const QDateTime& at);
    // Any module; mostly information, some warnings, a few errors.
    SimNotification any(const QDateTime& at);
    // `count` notifications over the month before `now`, oldest first; older ones mostly read.
    QList<SimNotification> history(int count, const QDateTime& now);

private:
    QRandomGenerator generator;
};
