#include "notifications/NotificationEventDelegate.h"

#include "notifications/NotificationRoles.h"

#include <QPainter>
#include <QTextLayout>

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

QString NotificationEventDelegate::fitText(const QString& text, const QFont& font, int width, int height)
{
    QString flat = text;
    flat.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QFontMetrics metrics(font);
    const int maxLines = qMax(1, height / metrics.lineSpacing());
    QTextLayout layout(flat, font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() + 1 == maxLines) {
            // The last line that fits takes the rest of the text, cut at its end.
            const QString rest = flat.mid(line.textStart()).replace(QChar::LineSeparator, QLatin1Char(' '));
            lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
            break;
        }
        lines.append(flat.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator));
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

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
                      fitText(message, messageFont, messageRect.width(), messageRect.height()));

    painter->restore();
}
