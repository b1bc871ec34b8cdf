#include "widgets/QtMaterialTabsInkBar.h"

#include "widgets/QtMaterialTabs.h"

#include <QEvent>
#include <QPainter>
#include <QPropertyAnimation>

namespace {

constexpr qreal barHeight = 2;

} // namespace

QtMaterialTabsInkBar::QtMaterialTabsInkBar(QtMaterialTabs* parent)
    : QWidget(parent)
    , tabs(parent)
    , slide(new QPropertyAnimation(this, "tweenValue", this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);
    slide->setDuration(700);
    slide->setEasingCurve(QEasingCurve::OutCirc);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

void QtMaterialTabsInkBar::moveTo(QWidget* tab, bool animated)
{
    const QRectF before = barGeometry();
    start = target ? before : extentOf(tab);
    if (target)
        target->removeEventFilter(this);
    target = tab;
    if (target)
        target->installEventFilter(this);
    slide->stop();
    if (animated) {
        tween = 0;
        slide->start();
    } else {
        tween = 1;
    }
    repaintBar(before);
}

QRectF QtMaterialTabsInkBar::extentOf(const QWidget* tab) const
{
    if (!tab)
        return QRectF();
    const QRect area = tab->geometry();
    return QRectF(area.x(), area.y() + area.height() - barHeight, area.width(), barHeight);
}

QRectF QtMaterialTabsInkBar::barGeometry() const
{
    const QRectF end = extentOf(target);
    if (tween >= 1 || end.isNull())
        return end;
    const qreal left = start.left() + (end.left() - start.left()) * tween;
    const qreal width = start.width() + (end.width() - start.width()) * tween;
    return QRectF(left, end.top(), width, barHeight);
}

void QtMaterialTabsInkBar::setTweenValue(qreal value)
{
    const QRectF before = barGeometry();
    tween = value;
    repaintBar(before);
}

void QtMaterialTabsInkBar::repaintBar(const QRectF& before)
{
    update((before | barGeometry()).toAlignedRect().adjusted(-1, -1, 1, 1));
}

bool QtMaterialTabsInkBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tabs && event->type() == QEvent::Resize) {
        setGeometry(tabs->rect());
        raise();
    } else if (watched == target && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void QtMaterialTabsInkBar::paintEvent(QPaintEvent*)
{
    const QRectF bar = barGeometry();
    if (bar.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(bar, tabs->inkColor());
}
