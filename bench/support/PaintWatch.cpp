#include "PaintWatch.h"

#include "WaitFor.h"

#include <QEvent>
#include <QWidget>

PaintWatch::PaintWatch(QWidget* widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

bool PaintWatch::waitForPaintAfter(int seen, int timeoutMs)
{
    return waitFor([this, seen] { return count > seen; }, timeoutMs);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        ++count;
    }
    return QObject::eventFilter(watched, event);
}
