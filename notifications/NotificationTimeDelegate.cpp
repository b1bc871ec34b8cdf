#include "notifications/NotificationTimeDelegate.h"

#include "notifications/NotificationRoles.h"

#include <QDateTime>
#include <QPainter>

NotificationTimeDelegate::NotificationTimeDelegate(QObject* parent)
    : NotificationBaseDelegate(parent)
{
}

QString NotificationTimeDelegate::displayText(const QString& stamp)
{
    if (stamp.isEmpty()) {
        return stamp;
    }
    const QDateTime time = QDateTime::fromString(stamp, Qt::ISODate);
    if (!time.isValid()) {
        return stamp;
    }
    return time.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

void NotificationTimeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    painter->save();
    const NotificationType type = paintBackground(painter, option, index);
    paintEmphasisedText(painter, option, type, displayText(index.data(DateTimeRole).toString()));
    painter->restore();
}
