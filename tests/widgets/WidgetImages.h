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

// `color` at `opacity` over white, as the painter would blend it.
inline QColor overWhite(const QColor& color, qreal opacity)
{
    const qreal a = color.alphaF() * opacity;
    auto mix = [a](int channel) {
        return qRound(channel * a + 255 * (1 - a));
    };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}
