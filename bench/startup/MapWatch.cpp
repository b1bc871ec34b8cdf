#include "MapWatch.h"

#include "BenchClock.h"
#include "WindowTitle.h"

#include <X11/Xlib.h>

#include <sys/select.h>

MapWatch::MapWatch()
    : display(XOpenDisplay(nullptr))
{
    if (display) {
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XSync(display, True);
    }
}

MapWatch::~MapWatch()
{
    if (display) {
        XCloseDisplay(display);
    }
}

void MapWatch::drain()
{
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

std::string MapWatch::titleOf(unsigned long window) const
{
    return windowTitle(display, window);
}

double MapWatch::waitForMap(const std::string& title, int timeoutMs)
{
    const double deadline = BenchClock::wallMs() + timeoutMs;
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && titleOf(event.xmap.window) == title) {
                return BenchClock::wallMs();
            }
        }
        const double left = deadline - BenchClock::wallMs();
        if (left <= 0) {
            return -1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{long(left / 1000), long(left * 1000) % 1000000};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
}
