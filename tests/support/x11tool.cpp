// Asks an X server about a program's top-level window, or closes it as a window manager would
// (WM_DELETE_WINDOW), so end-to-end tests can drive the real client under Xvfb without one.
//   x11tool state TITLE   prints "viewable", "hidden" or "absent"
//   x11tool close TITLE   sends WM_DELETE_WINDOW to every top-level window titled TITLE
#include "WindowTitle.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A window that goes away while the tree is read (a balloon, a tray host docking an icon) is
// skipped; Xlib's own handler would end the program.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

std::vector<Window> windowsTitled(Display* display, const std::string& wanted)
{
    std::vector<Window> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (windowTitle(display, children[i]) == wanted) {
            found.push_back(children[i]);
        }
    }
    if (children) {
        XFree(children);
    }
    return found;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 || (std::strcmp(argv[1], "state") != 0 && std::strcmp(argv[1], "close") != 0)) {
        std::fprintf(stderr, "usage: x11tool state|close TITLE\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11tool: no display\n");
        return 2;
    }
    XSetErrorHandler(ignoreError);
    const std::vector<Window> windows = windowsTitled(display, argv[2]);
    int status = 0;
    if (std::strcmp(argv[1], "state") == 0) {
        const char* state = "absent";
        for (Window window : windows) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, window, &attributes)) {
                state = attributes.map_state == IsViewable ? "viewable" : "hidden";
                if (attributes.map_state == IsViewable) {
                    break;
                }
            }
        }
        std::printf("%s\n", state);
    } else {
        const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
        const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        for (Window window : windows) {
            XEvent event;
            std::memset(&event, 0, sizeof(event));
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, window, False, NoEventMask, &event);
        }
        status = windows.empty() ? 1 : 0;
    }
    XCloseDisplay(display);
    return status;
}
