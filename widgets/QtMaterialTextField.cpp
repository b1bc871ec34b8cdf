#include "widgets/QtMaterialTextField.h"

#include "widgets/QtMaterialStyle.h"

#include <QPainter>
#include <QPropertyAnimation>

namespace {

constexpr int progressDuration = 310;

} // namespace

QtMaterialTextField::QtMaterialTextField(QWidget* parent)
    : QLineEdit(parent)
    , animation(new QPropertyAnimation(this, "progress", this))
{
    setStyle(&QtMaterialStyle::instance());
    setFrame(false);
    updateTextMargins();

    QFont fieldFont(QStringLiteral("Roboto"), 11, QFont::Normal);
    setFont(fieldFont);
    animation->setDuration(progressDuration);
    applyTextColor();
}

void QtMaterialTextField::setUseThemeColors(bool value)
{
    if (themeColors == value)
        return;
    themeColors = value;
    applyTextColor();
    update();
}

void QtMaterialTextField::setTextColor(const QColor& color)
{
    storedText = color;
    themeColors = false;
    applyTextColor();
    update();
}

QColor QtMaterialTextField::textColor() const
{
    return QtMaterialStyle::themed(themeColors, storedText, QStringLiteral("text"));
}

void QtMaterialTextField::setLabelColor(const QColor& color)
{
    storedLabel = color;
    themeColors = false;
    applyTextColor();
    update();
}

QColor QtMaterialTextField::labelColor() const
{
    return QtMaterialStyle::themed(themeColors, storedLabel, QStringLiteral("accent3"));
}

void QtMaterialTextField::setInkColor(const QColor& color)
{
    storedInk = color;
    themeColors = false;
    applyTextColor();
    update();
}

QColor QtMaterialTextField::inkColor() const
{
    return QtMaterialStyle::themed(themeColors, storedInk, QStringLiteral("primary1"));
}

void QtMaterialTextField::setInputLineColor(const QColor& color)
{
    storedInputLine = color;
    themeColors = false;
    applyTextColor();
    update();
}

QColor QtMaterialTextField::inputLineColor() const
{
    return QtMaterialStyle::themed(themeColors, storedInputLine, QStringLiteral("border"));
}

void QtMaterialTextField::setShowInputLine(bool value)
{
    inputLine = value;
    update();
}

void QtMaterialTextField::setShowLabel(bool value)
{
    labelShown = value;
    updateTextMargins();
    update();
}

void QtMaterialTextField::setLabel(const QString& text)
{
    labelText = text;
    update();
}

void QtMaterialTextField::setLabelFontSize(qreal size)
{
    labelSize = size;
    updateTextMargins();
    update();
}

void QtMaterialTextField::setProgress(qreal progress)
{
    if (qFuzzyCompare(focusProgress, progress))
        return;
    focusProgress = progress;
    update();
}

void QtMaterialTextField::applyTextColor()
{
    // Storing any colour ends theme colours for this field, the text colour's included.
    QPalette pal = palette();
    pal.setColor(QPalette::Text, textColor());
    setPalette(pal);
}

void QtMaterialTextField::updateTextMargins()
{
    int top = 2;
    if (labelShown) {
        QFont labelFont(font());
        labelFont.setPointSizeF(labelSize);
        top += QFontMetrics(labelFont).height();
    }
    setTextMargins(0, top, 0, 4);
}

void QtMaterialTextField::animateProgressTo(qreal end, QEasingCurve::Type curve)
{
    animation->stop();
    animation->setStartValue(focusProgress);
    animation->setEndValue(end);
    animation->setEasingCurve(curve);
    animation->start();
}

void QtMaterialTextField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    animateProgressTo(1, QEasingCurve::InCubic);
}

void QtMaterialTextField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    animateProgressTo(0, QEasingCurve::OutCubic);
}

void QtMaterialTextField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);

    QPainter painter(this);
    const int w = width();
    const int h = height();
    if (text().isEmpty() && focusProgress < 1) {
        // An empty field shows its placeholder only as it gains focus.
        const QWidget* behind = parentWidget() ? parentWidget() : this;
        painter.setOpacity(1 - focusProgress);
        painter.fillRect(rect(), behind->palette().color(behind->backgroundRole()));
        painter.setOpacity(1);
    }

    if (labelShown && !labelText.isEmpty()) {
        QFont labelFont(font());
        labelFont.setPointSizeF(labelSize);
        painter.setFont(labelFont);
        painter.setPen(hasFocus() ? inkColor() : labelColor());
        painter.drawText(QRect(0, 0, w, QFontMetrics(labelFont).height()), Qt::AlignLeft | Qt::AlignVCenter,
                         labelText);
    }

    if (!inputLine)
        return;
    QPen line(inputLineColor(), 1, isEnabled() ? Qt::SolidLine : Qt::DashLine);
    painter.setPen(line);
    painter.drawLine(0, h - 1, w - 1, h - 1);

    if (focusProgress > 0) {
        const qreal inkWidth = w * focusProgress;
        painter.fillRect(QRectF((w - inkWidth) / 2, h - 2, inkWidth, 2), inkColor());
    }
}
