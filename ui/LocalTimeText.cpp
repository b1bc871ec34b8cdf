#include "ui/LocalTimeText.h"

#include <QDateTime>

QString localTimeText(const QString& serviceText)
{
    const QDateTime time = QDateTime::fromString(serviceText, Qt::ISODateWithMs);
    if (!time.isValid() || time.timeSpec() == Qt::LocalTime) {
        return serviceText;
    }
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
