#include "ui/TextFit.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <limits>

FittedText fitText(const QString& text, const QFont& font, int width, int maxHeight)
{
    QString flat = text;
    flat.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QFontMetrics metrics(font);
    FittedText fitted;
    fitted.lineHeight = metrics.lineSpacing();
    const int maxLines =
        maxHeight < 0 ? std::numeric_limits<int>::max() : qMax(1, maxHeight / fitted.lineHeight);
    width = qMax(width, 1);

    QTextLayout layout(flat, font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const int end = line.textStart() + line.textLength();
        if (fitted.lines.size() + 1 == maxLines && end < flat.size()) {
            // The last line that fits takes the rest of the text, cut at its end.
            const QString rest = flat.mid(line.textStart()).replace(QChar::LineSeparator, QLatin1Char(' '));
            fitted.lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
            fitted.cut = true;
            break;
        }
        fitted.lines.append(flat.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator));
    }
    layout.endLayout();
    return fitted;
}
