#pragma once

#include <X11/Xlib.h>

#include <string>

// A top-level window's title as a window manager reads it: _NET_WM_NAME in UTF-8, else WM_NAME;
// empty when it has neither.
std::string windowTitle(Display* display, Window window);
