#pragma once

#include <QElapsedTimer>
#include <QTimer>

// A value of /proc/self/status in bytes ("VmRSS:", "VmHWM:"), or 0 where there is none.
qint64 processStatusBytes(const char* field);
// What the process holds: its resident size, or under AddressSanitizer, which keeps freed memory
// resident on purpose (its quarantine), the heap's live bytes.
qint64 processHeldBytes();

// Watches the event loop through a 10 ms timer (the longest gap between two of its ticks) and
// the process's peak resident memory, from start() to stop().
class LoopWatch
{
public:
    void start();
    void stop();
    // How much longer than its 10 ms the longest gap between two ticks was.
    qint64 stallMs() const { return longestGap - 10; }
    // The peak resident memory since start(), above what it was then (under AddressSanitizer,
    // the peak of the heap's live bytes, sampled at each tick).
    qint64 growth() const;

private:
    QTimer timer;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    qint64 baseline = 0;
    qint64 sampledPeak = 0;
    bool peakReset = false;
};
