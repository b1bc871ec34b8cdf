#pragma once

#include <QPointer>
#include <QWidget>

class QPropertyAnimation;
class QtMaterialTabs;

// The bar under the current tab, drawn on a transparent layer over the whole tab bar.
class QtMaterialTabsInkBar : public QWidget
{
    Q_OBJECT

    Q_PROPERTY(qreal tweenValue WRITE setTweenValue READ tweenValue)

public:
    explicit QtMaterialTabsInkBar(QtMaterialTabs* parent);

    // Moves the bar under `tab`, sliding from where it is now or jumping there.
    void moveTo(QWidget* tab, bool animated);
    QRectF barGeometry() const;

    qreal tweenValue() const { return tween; }
    void setTweenValue(qreal value);
    QPropertyAnimation* animation() const { return slide; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF extentOf(const QWidget* tab) const;
    void repaintBar(const QRectF& before);

    QtMaterialTabs* const tabs;
    QPropertyAnimation* const slide;
    QPointer<QWidget> target;
    QRectF start;
    qreal tween = 1;
};
