#include "ScrollLoader.h"

#include "BenchClock.h"

#include "network/BaseReply.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>

ScrollLoader::ScrollLoader(NotificationsPage* notificationsPage)
    : QObject(notificationsPage)
    , page(notificationsPage)
    , state(notificationsPage->getState())
    , table(notificationsPage->findChild<NotificationTable*>())
{
    // The page has been merged and the table synced by the time a zero timer runs.
    connect(state, &NotificationState::notificationPageReceived, this,
            [this](bool full) { QTimer::singleShot(0, this, [this, full] { afterPage(full); }); });
}

bool ScrollLoader::loadAll(int stallMs)
{
    loaded.clear();
    finished = false;
    const double wallStart = BenchClock::wallMs();
    cpuMark = BenchClock::processCpuMs();
    page->updateButtonClicked();
    int pagesSeen = 0;
    QDeadlineTimer stall(stallMs);
    while (!finished) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        if (loaded.size() != pagesSeen) {
            pagesSeen = loaded.size();
            stall.setRemainingTime(stallMs);
        }
        if (stall.hasExpired()) {
            return false;
        }
    }
    wall = BenchClock::wallMs() - wallStart;
    return true;
}

void ScrollLoader::afterPage(bool full)
{
    // Deferred layout and the repaint of the new rows belong to the page.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const double now = BenchClock::processCpuMs();
    loaded.append(Page{state->getNotifications().size(), now - cpuMark});
    cpuMark = now;
    if (!full) {
        finished = true;
        return;
    }
    table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
}

double ScrollLoader::totalCpuMs() const
{
    double total = 0;
    for (const Page& page : loaded) {
        total += page.cpuMs;
    }
    return total;
}

bool ScrollLoader::settle(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (BaseReply::liveCount() > 0) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return true;
}
