#include "notifications/NotificationBaseDelegate.h"

#include "notifications/NotificationRoles.h"
#include "ui/StatusPalette.h"

#include <QPainter>

namespace {

const int eventColumn = 2;
const int boldWeight = 75;

} // namespace

NotificationBaseDelegate::NotificationBaseDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

NotificationType NotificationBaseDelegate::getNotificationType(const QModelIndex& index) const
{
    const QAbstractItemModel* model = index.model();
    if (!model) {
        return Error;
    }
    const QModelIndex eventIndex = model->index(index.row(), eventColumn, index.parent());
    if (!eventIndex.isValid()) {
        return Error;
    }
    bool ok = false;
    const int type = eventIndex.data(TypeRole).toInt(&ok);
    if (!ok || type < Read || type > Error) {
        return Error;
    }
    return NotificationType(type);
}

QColor NotificationBaseDelegate::getBackgroundColorForType(NotificationType type) const
{
    switch (type) {
    case Read:
        return QColor(QStringLiteral("#F5F5F5"));
    case Unread:
        return QColor(QStringLiteral("#E3F2FD"));
    case Error:
        break;
    }
    return QColor(QStringLiteral("#FFEBEE"));
}

QColor NotificationBaseDelegate::getBorderColorForType(NotificationType type) const
{
    switch (type) {
    case Read:
        return QColor(Qt::transparent);
    case Unread:
        return QColor(QStringLiteral("#2196F3"));
    case Error:
        break;
    }
    return StatusPalette::failure();
}

bool NotificationBaseDelegate::shouldShowBorder(NotificationType type) const
{
    return type == Unread || type == Error;
}

bool NotificationBaseDelegate::isSelected(const QStyleOptionViewItem& option)
{
    return option.state.testFlag(QStyle::State_Selected);
}

NotificationType NotificationBaseDelegate::paintBackground(QPainter* painter,
                                                           const QStyleOptionViewItem& option,
                                                           const QModelIndex& index) const
{
    const NotificationType type = getNotificationType(index);
    const QColor background = isSelected(option)
                                  ? option.palette.color(QPalette::Current, QPalette::Highlight)
                                  : getBackgroundColorForType(type);
    painter->fillRect(option.rect, background);
    return type;
}

void NotificationBaseDelegate::paintEmphasisedText(QPainter* painter, const QStyleOptionViewItem& option,
                                                   NotificationType type, const QString& text) const
{
    QFont font = option.font;
    QColor color(QStringLiteral("#333333"));
    if (isSelected(option)) {
        color = option.palette.color(QPalette::Current, QPalette::HighlightedText);
    } else if (type == Error) {
        font.setWeight(boldWeight);
        color = StatusPalette::failureText();
    }
    painter->setFont(font);
    painter->setPen(color);
    painter->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignHCenter | Qt::AlignVCenter, text);
}
