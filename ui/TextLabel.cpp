#include "ui/TextLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QToolTip>
#include <QtMath>

namespace {

// No word is allowed to make its row wider than this many average characters.
constexpr int longestWordChars = 20;

} // namespace

TextLabel::TextLabel(QWidget* parent, Mode mode)
    : QLabel(parent)
    , mode(mode)
{
    setTextFormat(Qt::PlainText);
    QSizePolicy policy(QSizePolicy::Preferred, mode == Wrap ? QSizePolicy::Minimum : QSizePolicy::Ignored);
    policy.setHeightForWidth(mode == Wrap);
    setSizePolicy(policy);
}

int TextLabel::layOut(QTextLayout& layout, int width) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setText(text());
    layout.setFont(font());
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax(width, 1));
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return qMax(qCeil(height), fontMetrics().height());
}

int TextLabel::textWidth(const QString& text) const
{
    // As the layout measures it, so that a text given its own width takes one line.
    return qCeil(QFontMetricsF(font()).horizontalAdvance(text)) + 1;
}

QSize TextLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int width = textWidth(text()) + margins.left() + margins.right();
    return QSize(width, mode == Wrap ? heightForWidth(width)
                                     : fontMetrics().height() + margins.top() + margins.bottom());
}

QSize TextLabel::minimumSizeHint() const
{
    // Ordinary words keep whole; only what is longer than a line of a narrow column breaks.
    int longestWord = 0;
    const QStringList words = text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        longestWord = qMax(longestWord, textWidth(word));
    }
    const QMargins margins = contentsMargins();
    const int width = qMin(longestWord, fontMetrics().averageCharWidth() * longestWordChars) +
                      margins.left() + margins.right();
    // One line: how many it takes is the layout's question, asked with the width it gives.
    return QSize(width, fontMetrics().height() + margins.top() + margins.bottom());
}

bool TextLabel::hasHeightForWidth() const
{
    return mode == Wrap;
}

int TextLabel::heightForWidth(int width) const
{
    if (mode != Wrap) {
        return -1;
    }
    const QMargins margins = contentsMargins();
    QTextLayout layout;
    return layOut(layout, width - margins.left() - margins.right()) + margins.top() + margins.bottom();
}

bool TextLabel::cutShort() const
{
    QTextLayout layout;
    return layOut(layout, contentsRect().width()) > contentsRect().height();
}

bool TextLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && mode == Elide && toolTip().isEmpty()) {
        // The whole text, only where the label does not show all of it.
        if (cutShort()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QLabel::event(event);
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    QTextLayout layout;
    const int height = layOut(layout, area.width());
    if (mode == Wrap || height <= area.height()) {
        // Centred in the room it has, as a label's text is.
        layout.draw(&painter, QPointF(area.left(), area.top() + qMax(0, (area.height() - height) / 2)));
        return;
    }
    // The lines that fit, the last of them shortened to end in "…".
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const bool last = i + 1 == layout.lineCount() ||
                          line.rect().bottom() + layout.lineAt(i + 1).height() > area.height();
        if (!last) {
            line.draw(&painter, area.topLeft());
            continue;
        }
        const QString rest = text().mid(line.textStart()).simplified();
        painter.drawText(QRectF(area.left(), area.top() + line.y(), area.width(), line.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(rest, Qt::ElideRight, area.width()));
        break;
    }
}
