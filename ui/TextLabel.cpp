#include "ui/TextLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QRegularExpression>
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

const FittedText& TextLabel::fitted(int width, int maxHeight) const
{
    Layout& layout = maxHeight < 0 ? whole : shown;
    if (layout.width != width || layout.maxHeight != maxHeight || layout.text != text() ||
        layout.font != font()) {
        layout = Layout{text(), font(), width, maxHeight, fitText(text(), font(), width, maxHeight)};
    }
    return layout.lines;
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
                                     : fontMetrics().lineSpacing() + margins.top() + margins.bottom());
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
    return QSize(width, fontMetrics().lineSpacing() + margins.top() + margins.bottom());
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
    return fitted(width - margins.left() - margins.right(), -1).height() + margins.top() + margins.bottom();
}

bool TextLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && mode == Elide && toolTip().isEmpty()) {
        // The whole text, only where the label does not show all of it.
        if (fitted(contentsRect().width(), -1).height() > contentsRect().height()) {
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
    painter.setFont(font());
    const QRect area = contentsRect();
    const FittedText& text = fitted(area.width(), mode == Elide ? area.height() : -1);
    // Centred in the room it has, as a label's text is.
    int top = area.top() + qMax(0, (area.height() - text.height()) / 2);
    for (const QString& line : text.lines) {
        painter.drawText(QRect(area.left(), top, area.width(), text.lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        top += text.lineHeight;
    }
}
