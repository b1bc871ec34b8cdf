#pragma once

#include "network/BaseReply.h"

#include <QString>
#include <QTime>

// What the client knows from one kind of request for the selected device: whether it is asked,
// on its way, failed or read. Another request of the same kind keeps the last outcome until it
// ends, as the records keep the values it brought.
struct ReadState
{
    enum Phase
    {
        NotAsked, // no device is selected, or nothing was asked yet
        Loading,  // the first request for this device is on its way
        Failed,   // the last request failed
        Read      // the last request succeeded
    };

    Phase phase = NotAsked;
    // A failure: the request's own text for it (for the log and a tool tip), how it failed, the
    // HTTP status the service answered with (0 when it gave none) and when.
    QString error;
    BaseReply::Failure failure = BaseReply::Failure::None;
    int httpStatus = 0;
    QTime when;

    static ReadState loading();
    static ReadState read();
    // The failure of `request` with `error`, now.
    static ReadState failed(const BaseReply& request, const QString& error);

    bool isFailed() const { return phase == Failed; }
    // Whether the service answered the failed request, with an error status or a reply the client
    // could not use, rather than leaving it without an answer.
    bool answered() const;
    // The service answered that it has nothing for this device at that address: for the service
    // instance, that no instance is set up for the register.
    bool isNotFound() const { return phase == Failed && httpStatus == 404; }

    // What failed, in words an operator can repeat to support, and when: "служба Torvo ответила
    // ошибкой 500 (в 14:02)". No address and no English in it.
    QString said() const;
};
