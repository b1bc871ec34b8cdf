#pragma once

#include <QMetaType>
#include <QString>

// What keeps the window from showing the service whole, for the header's line: the service out of
// reach, a device list that could not be read, or lists that named no device at all.
struct ServiceProblem
{
    enum Kind
    {
        None,
        Unreachable, // the last request failed on the way: `address` and `detail`
        ListsUnread, // `registers` and/or `instances` say why that list could not be read
        NoDevices    // both lists answered with none; `registers` and `instances` say what they said
    };

    Kind kind = None;
    QString address; // where the client looked, "127.0.0.1:<port>"
    QString detail;
    QString registers;
    QString instances;

    // The line as the operator reads it; empty for None.
    QString text() const;

    bool operator==(const ServiceProblem& other) const;
    bool operator!=(const ServiceProblem& other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(ServiceProblem)
