#include "ui/FittedScrollArea.h"

#include <QEvent>

FittedScrollArea::FittedScrollArea(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Not a stop of its own for Tab: the controls inside are, and it scrolls each into sight.
    setFocusPolicy(Qt::NoFocus);
    // The window's own background shows through, as if there were no scroll area.
    viewport()->setAutoFillBackground(false);
}

QSize FittedScrollArea::sizeHint() const
{
    const QWidget* contents = widget();
    if (!contents) {
        return QScrollArea::sizeHint();
    }
    QSize hint = contents->sizeHint();
    // Lines that wrap are as high as the width they are given makes them.
    if (contents->hasHeightForWidth() && viewport()->width() > 0) {
        hint.setHeight(contents->heightForWidth(viewport()->width()));
    }
    const int frame = 2 * frameWidth();
    return hint + QSize(frame, frame);
}

bool FittedScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // The contents grew or shrank (a panel's line came or went): the layout around asks again.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        updateGeometry();
    }
    return QScrollArea::eventFilter(watched, event);
}
