#pragma once

#include <QString>

// The six reads of the selected device's state; each fills its own fields of the records.
enum class StatusRead
{
    Connection,
    Lm,
    Torvo,
    Kkt,
    LmSettings,
    UpgradeCheck
};
constexpr int statusReadCount = 6;

// What the client knows of one read for the selected device. Another read of the same device
// keeps the last outcome until it ends, as the records keep the values it brought.
struct ReadState
{
    enum Phase
    {
        NotAsked, // no device is selected
        Loading,  // the first read for this device is on its way
        Failed,   // the last read failed, for `error`
        Read      // the last read succeeded
    };

    Phase phase = NotAsked;
    QString error;
    // The HTTP status the service answered a failed read with; 0 when it gave none.
    int httpStatus = 0;

    // The service answered that it has nothing for this device at that address: for the
    // service instance, that no instance is set up for the register.
    bool isNotFound() const { return phase == Failed && httpStatus == 404; }
};
