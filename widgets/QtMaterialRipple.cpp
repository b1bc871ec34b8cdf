#include "widgets/QtMaterialRipple.h"

#include "widgets/QtMaterialRippleOverlay.h"

#include <QPropertyAnimation>
#include <QtMath>

QtMaterialRipple::QtMaterialRipple(const QPoint& center, QObject* parent)
    : QtMaterialRipple(center, nullptr, parent)
{
}

QtMaterialRipple::QtMaterialRipple(const QPoint& center, QtMaterialRippleOverlay* overlay, QObject* parent)
    : QParallelAnimationGroup(parent)
    , rippleOverlay(overlay)
    , radiusAnim(animate("radius"))
    , opacityAnim(animate("opacity"))
    , rippleCenter(center)
{
    setRadiusStartValue(0);
    setRadiusEndValue(300);
    setOpacityStartValue(0.5);
    setOpacityEndValue(0);
    setDuration(800);
    connect(this, &QAbstractAnimation::finished, this, [this] {
        if (rippleOverlay)
            rippleOverlay->removeRipple(this);
        else
            deleteLater();
    });
}

QPropertyAnimation* QtMaterialRipple::animate(const QByteArray& property)
{
    auto* animation = new QPropertyAnimation(this, property, this);
    animation->setEasingCurve(QEasingCurve::OutQuad);
    addAnimation(animation);
    return animation;
}

void QtMaterialRipple::setRadius(qreal radius)
{
    if (qFuzzyCompare(rippleRadius, radius))
        return;
    const QRect before = boundingRect(rippleRadius);
    rippleRadius = radius;
    repaintOverlay(before | boundingRect(rippleRadius));
}

void QtMaterialRipple::setOpacity(qreal opacity)
{
    if (qFuzzyCompare(rippleOpacity, opacity))
        return;
    rippleOpacity = opacity;
    repaintOverlay(boundingRect(rippleRadius));
}

void QtMaterialRipple::setRadiusStartValue(qreal value)
{
    radiusAnim->setStartValue(value);
}

void QtMaterialRipple::setRadiusEndValue(qreal value)
{
    radiusAnim->setEndValue(value);
}

void QtMaterialRipple::setOpacityStartValue(qreal value)
{
    opacityAnim->setStartValue(value);
}

void QtMaterialRipple::setOpacityEndValue(qreal value)
{
    opacityAnim->setEndValue(value);
}

void QtMaterialRipple::setDuration(int msecs)
{
    radiusAnim->setDuration(msecs);
    opacityAnim->setDuration(msecs);
}

QRect QtMaterialRipple::boundingRect(qreal atRadius) const
{
    const int r = qCeil(atRadius) + 1;
    return QRect(rippleCenter.x() - r, rippleCenter.y() - r, 2 * r, 2 * r);
}

void QtMaterialRipple::repaintOverlay(const QRect& area)
{
    if (rippleOverlay)
        rippleOverlay->update(area);
}
