#include "notifications/NotificationEventDelegate.h"

#include "notifications/NotificationRoles.h"
#include "ui/TextFit.h"

#include <QPainter>

namespace {

const int boldWeight = 75;

// The view's font may be set in pixels (style sheets do that); change whichever size it has.
QFont resized(QFont font, int delta)
{
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(qMax(1.0, font.pointSizeF() + delta));
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(qMax(1, font.pixelSize() + delta));
    }
    return font;
}

} // namespace

NotificationEventDelegate::NotificationEventDelegate(QObject* parent)
    : NotificationBaseDelegate(parent)
{
}

void NotificationEventDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    const QString header = index.model() ? index.data(HeaderRole).toString() : QString();
    const QString message = index.model() ? index.data(MessageRole).toString() : QString();

    painter->save();
    const NotificationType type = paintBackground(painter, option, index);
    const QRect& rect = option.rect;

    if (shouldShowBorder(type)) {
        painter->setPen(
            QPen(QBrush(getBorderColorForType(type)), 3.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
    }

    QFont titleFont = resized(option.font, 1);
    titleFont.setWeight(boldWeight);
    const QFont messageFont = resized(option.font, -1);
    const bool selected = isSelected(option);
    const QColor highlighted = option.palette.color(QPalette::Current, QPalette::HighlightedText);

    const int titleTop = rect.top() + 4;
    const QRect titleRect(QPoint(rect.left() + 8, titleTop),
                          QPoint(rect.right() - 4, titleTop + QFontMetrics(titleFont).height() - 1));
    painter->setFont(titleFont);
    painter->setPen(selected ? highlighted : QColor(QStringLiteral("#333333")));
    painter->drawText(titleRect, Qt::AlignLeft | Qt::AlignTop, header);

    const QRect messageRect(QPoint(rect.left() + 8, titleRect.bottom() + 2),
                            QPoint(rect.right() - 4, rect.bottom() - 4));
    painter->setFont(messageFont);
    painter->setPen(selected ? highlighted : QColor(QStringLiteral("#666666")));
    painter->drawText(messageRect, Qt::AlignLeft | Qt::AlignTop,
                      fitText(message, messageFont, messageRect.width(), messageRect.height())
                          .lines.join(QLatin1Char('\n')));

    painter->restore();
}
