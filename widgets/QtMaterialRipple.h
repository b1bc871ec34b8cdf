#pragma once

#include <QBrush>
#include <QParallelAnimationGroup>
#include <QPoint>

class QPropertyAnimation;
class QtMaterialRippleOverlay;

// One expanding, fading circle. It removes itself from its overlay once both animations end.
class QtMaterialRipple : public QParallelAnimationGroup
{
    Q_OBJECT

    Q_PROPERTY(qreal radius WRITE setRadius READ radius)
    Q_PROPERTY(qreal opacity WRITE setOpacity READ opacity)

public:
    explicit QtMaterialRipple(const QPoint& center, QObject* parent = nullptr);
    QtMaterialRipple(const QPoint& center, QtMaterialRippleOverlay* overlay, QObject* parent = nullptr);

    void setOverlay(QtMaterialRippleOverlay* overlay) { rippleOverlay = overlay; }
    QtMaterialRippleOverlay* overlay() const { return rippleOverlay; }

    QPoint center() const { return rippleCenter; }
    void setCenter(const QPoint& center) { rippleCenter = center; }

    qreal radius() const { return rippleRadius; }
    void setRadius(qreal radius);
    qreal opacity() const { return rippleOpacity; }
    void setOpacity(qreal opacity);

    QColor color() const { return rippleBrush.color(); }
    void setColor(const QColor& color) { rippleBrush.setColor(color); }
    QBrush brush() const { return rippleBrush; }
    void setBrush(const QBrush& brush) { rippleBrush = brush; }

    QPropertyAnimation* radiusAnimation() const { return radiusAnim; }
    QPropertyAnimation* opacityAnimation() const { return opacityAnim; }

    void setRadiusStartValue(qreal value);
    void setRadiusEndValue(qreal value);
    void setOpacityStartValue(qreal value);
    void setOpacityEndValue(qreal value);
    void setDuration(int msecs);

    // The square the circle covers at the given radius, in overlay coordinates.
    QRect boundingRect(qreal atRadius) const;

private:
    QPropertyAnimation* animate(const QByteArray& property);
    void repaintOverlay(const QRect& area);

    QtMaterialRippleOverlay* rippleOverlay = nullptr;
    QPropertyAnimation* radiusAnim;
    QPropertyAnimation* opacityAnim;
    QPoint rippleCenter;
    QBrush rippleBrush{Qt::black, Qt::SolidPattern};
    qreal rippleRadius = 0;
    qreal rippleOpacity = 0;
};
