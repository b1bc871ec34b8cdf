#include "LoopWatch.h"

#include <QFile>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TORVO_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TORVO_UNDER_ASAN 1
#endif
#ifdef TORVO_UNDER_ASAN
#include <sanitizer/allocator_interface.h>
#endif

qint64 processHeldBytes()
{
#ifdef TORVO_UNDER_ASAN
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    return processStatusBytes("VmRSS:");
#endif
}

namespace {

bool peakReadable()
{
#ifdef TORVO_UNDER_ASAN
    return false;
#else
    // "5" resets the peak to the present size; without it the peak is sampled at each tick.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
#endif
}

} // namespace

qint64 processStatusBytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
    }
    return 0;
}

void LoopWatch::start()
{
    peakReset = peakReadable();
    baseline = processHeldBytes();
    sampledPeak = baseline;
    longestGap = 0;
    sinceTick.start();
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
        longestGap = qMax(longestGap, sinceTick.restart());
        sampledPeak = qMax(sampledPeak, processHeldBytes());
    });
    timer.start(10);
}

void LoopWatch::stop()
{
    longestGap = qMax(longestGap, sinceTick.elapsed());
    sampledPeak = qMax(sampledPeak, processHeldBytes());
    timer.stop();
    QObject::disconnect(&timer, nullptr, nullptr, nullptr);
}

qint64 LoopWatch::growth() const
{
    const qint64 peak = peakReset ? qMax(sampledPeak, processStatusBytes("VmHWM:")) : sampledPeak;
    return peak - baseline;
}
