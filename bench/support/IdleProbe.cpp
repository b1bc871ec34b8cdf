#include "IdleProbe.h"

#include <QAbstractAnimation>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>

#include <unistd.h>

IdleProbe::IdleProbe(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void IdleProbe::watchAnimations(const QObject* root)
{
    for (QAbstractAnimation* animation : root->findChildren<QAbstractAnimation*>()) {
        if (animations.contains(animation))
            continue;
        animations << animation;
        connect(animation, &QAbstractAnimation::stateChanged, this,
                [this](QAbstractAnimation::State state) { starts += state == QAbstractAnimation::Running; });
        connect(animation, &QObject::destroyed, this, [this, animation] { animations.removeOne(animation); });
    }
}

int IdleProbe::runningAnimations() const
{
    int running = 0;
    for (const QAbstractAnimation* animation : animations)
        running += animation->state() == QAbstractAnimation::Running;
    return running;
}

void IdleProbe::start()
{
    paints = timers = starts = 0;
    receivers.clear();
    startedAt = QDateTime::currentMSecsSinceEpoch();
    cpuAtStart = processCpuMilliseconds();
    wakeupsAtStart = mainThreadSwitches();
}

IdleProbe::Figures IdleProbe::stop() const
{
    Figures figures;
    figures.seconds = (QDateTime::currentMSecsSinceEpoch() - startedAt) / 1000.0;
    figures.cpuMilliseconds = processCpuMilliseconds() - cpuAtStart;
    figures.wakeups = mainThreadSwitches() - wakeupsAtStart;
    figures.paintEvents = paints;
    figures.timerEvents = timers;
    figures.animationsStarted = starts;
    figures.animationsRunning = runningAnimations();
    figures.timerReceivers = receivers;
    return figures;
}

bool IdleProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ignored)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Paint)
        ++paints;
    else if (event->type() == QEvent::Timer) {
        ++timers;
        ++receivers[QString::fromLatin1(watched->metaObject()->className())];
    }
    return QObject::eventFilter(watched, event);
}

double IdleProbe::processCpuMilliseconds()
{
    // Fields 14 and 15 of /proc/self/stat: user and system time of all threads, in clock ticks.
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
    return ticks * 1000.0 / sysconf(_SC_CLK_TCK);
}

long long IdleProbe::mainThreadSwitches()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    long long switches = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
            switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    return switches;
}
