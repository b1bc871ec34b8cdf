#pragma once

#include <QObject>

class QWidget;

// Counts the paint events of one widget, so that a benchmark can wait until what it changed has
// been drawn: Qt lays out and paints later, from the event loop.
class PaintWatch : public QObject
{
    Q_OBJECT

public:
    explicit PaintWatch(QWidget* widget);

    int paints() const { return count; }
    // Runs the event loop until the widget has been painted more than `seen` times; false after
    // `timeoutMs`.
    bool waitForPaintAfter(int seen, int timeoutMs = 5000);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count = 0;
};
