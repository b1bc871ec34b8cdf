#pragma once

#include <QStringList>

#include <sys/types.h>

// A program started as directly as the system allows (posix_spawn), so that the time from the
// start to its first window holds nothing of the benchmark's own; and what /proc says about it.
class ChildProcess
{
public:
    // Starts `program` with `arguments`; the environment is this process's with `extra` added.
    ChildProcess(const QString& program, const QStringList& arguments, const QStringList& extra = {});
    ~ChildProcess(); // ends it (SIGTERM, then SIGKILL) if it still runs

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool isStarted() const { return pid > 0; }
    pid_t processId() const { return pid; }
    // Monotonic milliseconds at the moment of the start.
    double startedAt() const { return started; }

    long residentKiB() const;
    double cpuMs() const;
    // Waits until the process has used no CPU for `quietMs`; false after `timeoutMs`.
    bool waitUntilIdle(int quietMs = 1000, int timeoutMs = 20000) const;
    void terminate();

private:
    pid_t pid = -1;
    double started = 0;
};
