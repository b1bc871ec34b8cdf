#include "SimTime.h"

SimClock systemClock()
{
    return [] {
        return QDateTime::currentDateTime();
    };
}

QString isoTimestamp(const QDateTime& time)
{
    if (!time.isValid()) {
        return QString();
    }
    const int offset = time.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    const QDateTime wall = time.toOffsetFromUtc(offset);
    return wall.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
