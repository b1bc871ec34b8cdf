#include "BenchClock.h"

#include <QFile>

#include <sys/resource.h>
#include <time.h>

namespace {

double toMs(const timeval& time)
{
    return time.tv_sec * 1000.0 + time.tv_usec / 1000.0;
}

double clockMs(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return time.tv_sec * 1000.0 + time.tv_nsec / 1e6;
}

} // namespace

namespace BenchClock {

double processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return toMs(usage.ru_utime) + toMs(usage.ru_stime);
}

double threadCpuMs()
{
    return clockMs(CLOCK_THREAD_CPUTIME_ID);
}

double wallMs()
{
    return clockMs(CLOCK_MONOTONIC);
}

long residentKiB(long pid)
{
    QFile status(pid > 0 ? QStringLiteral("/proc/%1/status").arg(pid) : QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

} // namespace BenchClock
