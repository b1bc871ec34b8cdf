#include "LoopWatch.h"

#include <QFile>

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
    // "5" resets the peak to the present size; without it the peak is sampled at each tick.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    peakReset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    clear.close();
    baseline = processStatusBytes("VmRSS:");
    sampledPeak = baseline;
    longestGap = 0;
    sinceTick.start();
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
        longestGap = qMax(longestGap, sinceTick.restart());
        sampledPeak = qMax(sampledPeak, processStatusBytes("VmRSS:"));
    });
    timer.start(10);
}

void LoopWatch::stop()
{
    longestGap = qMax(longestGap, sinceTick.elapsed());
    timer.stop();
    QObject::disconnect(&timer, nullptr, nullptr, nullptr);
}

qint64 LoopWatch::growth() const
{
    const qint64 peak = peakReset ? qMax(sampledPeak, processStatusBytes("VmHWM:")) : sampledPeak;
    return peak - baseline;
}
