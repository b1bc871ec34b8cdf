#include "MapWatch.h"

#include "BenchClock.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
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
