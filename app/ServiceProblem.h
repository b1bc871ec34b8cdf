#pragma once

#include "app/ReadState.h"

#include <QMetaType>
#include <QString>

// What keeps the window from showing the service whole, for the header's line: the service out of
// reach, a device list that could not be read, requests the service leaves unanswered while it
// answers others, or lists that named no device at all.
struct ServiceProblem
{
    enum Kind
    {
        None,
        Unreachable,    // nothing gets through to `address` since `cause`
        ListsUnread,    // `registers` and/or `instances` failed to be read
        PartlyAnswered, // the service answers, but `cause` (its latest such failure) did not get through
        NoDevices       // both lists answered with none; `registers` and `instances` say what they said
    };

    Kind kind = None;
    QString address; // where the client looked, "127.0.0.1:<port>"
    ReadState cause;
    ReadState registers;
    ReadState instances;

    // The line as the operator reads it; empty for None.
    QString text() const;
    // The requests' own texts behind it, for the line's tool tip and for support.
    QString details() const;

    bool operator==(const ServiceProblem& other) const;
    bool operator!=(const ServiceProblem& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(ServiceProblem)
