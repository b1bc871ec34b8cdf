#pragma once

#include <QList>
#include <QPainterPath>
#include <QWidget>

class QtMaterialRipple;

// A transparent layer, clicks pass through it, that draws the running ripples of a widget.
class QtMaterialRippleOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit QtMaterialRippleOverlay(QWidget* parent = nullptr);

    // Takes ownership and starts the ripple.
    void addRipple(QtMaterialRipple* ripple);
    void addRipple(const QPoint& center, qreal radius = 300);
    void removeRipple(QtMaterialRipple* ripple);
    QList<QtMaterialRipple*> ripples() const { return rippleList; }

    void setClipping(bool enable);
    bool hasClipping() const { return useClip; }
    void setClipPath(const QPainterPath& path);
    QPainterPath clipPath() const { return ripplePath; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QtMaterialRipple*> rippleList;
    QPainterPath ripplePath;
    bool useClip = false;
};
