#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// What a widget and its children draw, over white, as a plain image to read pixels from.
inline QImage renderOverWhite(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Channel-wise closeness, for colours that went through blending and rounding.
inline bool nearColor(const QColor& a, const QColor& b, int tolerance = 3)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// `color` at `opacity` over an opaque `under` (white unless given), as the painter would blend it.
inline QColor overWhite(const QColor& color, qreal opacity, const QColor& under = Qt::white)
{
    const qreal a = color.alphaF() * opacity;
    auto mix = [a](int top, int bottom) {
        return qRound(top * a + bottom * (1 - a));
    };
    return QColor(mix(color.red(), under.red()), mix(color.green(), under.green()),
                  mix(color.blue(), under.blue()));
}
