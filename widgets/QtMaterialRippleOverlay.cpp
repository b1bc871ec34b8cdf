#include "widgets/QtMaterialRippleOverlay.h"

#include "widgets/QtMaterialRipple.h"

#include <QPainter>

QtMaterialRippleOverlay::QtMaterialRippleOverlay(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void QtMaterialRippleOverlay::addRipple(QtMaterialRipple* ripple)
{
    ripple->setOverlay(this);
    ripple->setParent(this);
    rippleList.push_back(ripple);
    ripple->start();
}

void QtMaterialRippleOverlay::addRipple(const QPoint& center, qreal radius)
{
    auto* ripple = new QtMaterialRipple(center);
    ripple->setRadiusEndValue(radius);
    addRipple(ripple);
}

void QtMaterialRippleOverlay::removeRipple(QtMaterialRipple* ripple)
{
    if (!rippleList.removeOne(ripple))
        return;
    update(ripple->boundingRect(ripple->radius()));
    ripple->deleteLater();
}

void QtMaterialRippleOverlay::setClipping(bool enable)
{
    useClip = enable;
    update();
}

void QtMaterialRippleOverlay::setClipPath(const QPainterPath& path)
{
    ripplePath = path;
    update();
}

void QtMaterialRippleOverlay::paintEvent(QPaintEvent*)
{
    if (rippleList.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (useClip)
        painter.setClipPath(ripplePath);
    for (const QtMaterialRipple* ripple : qAsConst(rippleList)) {
        painter.setOpacity(ripple->opacity());
        painter.setBrush(ripple->brush());
        painter.drawEllipse(QPointF(ripple->center()), ripple->radius(), ripple->radius());
    }
}
