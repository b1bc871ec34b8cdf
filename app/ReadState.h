#pragma once

#include <QString>

class BaseReply;

// What the client knows from one kind of request for the selected device: whether it is asked,
// on its way, failed or read. Another request of the same kind keeps the last outcome until it
// ends, as the records keep the values it brought.
struct ReadState
{
    enum Phase
    {
        NotAsked, // no device is selected, or nothing was asked yet
        Loading,  // the first request for this device is on its way
        Failed,   // the last request failed, for `error`
        Read      // the last request succeeded
    };

    Phase phase = NotAsked;
    QString error;
    // Whether the service answered the failed request (with an error status, or a reply the
    // client could not use) rather than leaving it without an answer.
    bool answered = false;
    // The HTTP status of that answer; 0 when it had none.
    int httpStatus = 0;

    static ReadState loading() { return ReadState{Loading, QString(), false, 0}; }
    static ReadState read() { return ReadState{Read, QString(), false, 0}; }
    // The failure of `request` with `error`.
    static ReadState failed(const BaseReply& request, const QString& error);

    bool isFailed() const { return phase == Failed; }
    // The service answered that it has nothing for this device at that address: for the service
    // instance, that no instance is set up for the register.
    bool isNotFound() const { return phase == Failed && httpStatus == 404; }
};
