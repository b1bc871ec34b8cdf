#pragma once

#include "app/ReadState.h"
#include "app/ServiceProblem.h"

#include <QString>
#include <QVector>

class BaseReply;

// What the client knows of the way to the service and of its two device lists, from which the
// header's line is made: whether anything gets through, and whether each list could be read.
class ServiceReach
{
public:
    enum List
    {
        Registers,
        Instances
    };

    // An exchange with the service ended: answered (an empty `error`), or how it failed.
    void noteExchange(const BaseReply& request, const QString& error);
    // A device list round begins with both lists on their way.
    void startListRound();
    // One list of the round ended; true once both have.
    bool noteList(List list, const BaseReply& reply, const QString& error);
    // A list of the last round could not be read at all, as opposed to naming no device.
    bool anyListUnread() const;

    // The header's line, given the reads of the selected register and whether the lists named no
    // device at all.
    ServiceProblem problem(const QVector<ReadState>& reads, bool noDevices) const;

private:
    ReadState unreachable; // the last failure to get through at all, until the next answer
    QString unreachableAddress;
    ReadState lists[2];
    int listsPending = 0;
    bool roundEnded = false;
};
