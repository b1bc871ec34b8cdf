#include "ScrollLoader.h"

#include "BenchClock.h"
#include "PaintWatch.h"
#include "WaitFor.h"

#include "network/BaseReply.h"
#include "notifications/NotificationState.h"
#include "notifications/NotificationTable.h"
#include "notifications/NotificationsPage.h"

#include <QCoreApplication>
#include <QScrollBar>

ScrollLoader::ScrollLoader(NotificationsPage* notificationsPage)
    : QObject(notificationsPage)
    , page(notificationsPage)
    , state(notificationsPage->getState())
    , table(notificationsPage->findChild<NotificationTable*>())
    , paints(new PaintWatch(table->viewport()))
{
    // Emitted before the page is merged: the paints counted here are those of earlier pages.
    connect(state, &NotificationState::notificationPageReceived, this, [this](bool full) {
        pageArrived = true;
        lastPageFull = full;
        paintsAtPage = paints->paints();
        rangeAtPage = table->verticalScrollBar()->maximum();
        rowsAtPage = state->getNotifications().size();
    });
}

bool ScrollLoader::loadAll(int stallMs)
{
    loaded.clear();
    pageArrived = false;
    const double wallStart = BenchClock::wallMs();
    double cpuMark = BenchClock::processCpuMs();
    const int paintsBefore = paints->paints();
    page->updateButtonClicked();
    for (;;) {
        if (!waitFor([this] { return pageArrived; }, stallMs)) {
            return false;
        }
        pageArrived = false;
        // Deferred layout and the repaint of the new rows belong to the page. Rows that land in
        // view are painted; rows below it change only the scroll range, and are painted when the
        // next scroll brings them in.
        if (state->getNotifications().size() != rowsAtPage) {
            waitFor(
                [this] {
                    return paints->paints() > paintsAtPage ||
                           table->verticalScrollBar()->maximum() != rangeAtPage;
                },
                stallMs);
            QCoreApplication::sendPostedEvents();
        }
        const double now = BenchClock::processCpuMs();
        loaded.append(Page{state->getNotifications().size(), now - cpuMark});
        cpuMark = now;
        if (!lastPageFull) {
            break;
        }
        table->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    }
    wall = BenchClock::wallMs() - wallStart;
    paintsDuringLoad = paints->paints() - paintsBefore;
    return true;
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
    if (!waitFor([] { return BaseReply::liveCount() == 0; }, timeoutMs)) {
        return false;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}
