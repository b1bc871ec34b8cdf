#include "WaitFor.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    // Wakes the sleeping loop now and then to look at the deadline.
    QTimer wake;
    wake.start(100);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
