#pragma once

#include <QMap>
#include <QObject>

class QAbstractAnimation;

// Counts what an idle process should not be doing: paint events, timer events and running
// animations, plus the CPU time and main-thread wakeups the kernel reports.
class IdleProbe : public QObject
{
    Q_OBJECT

public:
    struct Figures
    {
        double seconds = 0;
        double cpuMilliseconds = 0;
        long long wakeups = 0;
        int paintEvents = 0;
        int timerEvents = 0;
        int animationsStarted = 0;
        int animationsRunning = 0;
        // Who received the timer events: class name and count.
        QMap<QString, int> timerReceivers;

        double cpuPercent() const { return seconds > 0 ? cpuMilliseconds / (seconds * 10.0) : 0; }
    };

    explicit IdleProbe(QObject* parent = nullptr);

    // Watches every animation below `root` (the looping ones included) from now on.
    void watchAnimations(const QObject* root);
    int runningAnimations() const;

    // Events for `receiver` (the benchmark's own timer) are not counted.
    void ignore(const QObject* receiver) { ignored = receiver; }

    void start();
    Figures stop() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static double processCpuMilliseconds();
    static long long mainThreadSwitches();

    QList<QAbstractAnimation*> animations;
    const QObject* ignored = nullptr;
    qint64 startedAt = 0;
    double cpuAtStart = 0;
    long long wakeupsAtStart = 0;
    int paints = 0;
    int timers = 0;
    QMap<QString, int> receivers;
    int starts = 0;
};
