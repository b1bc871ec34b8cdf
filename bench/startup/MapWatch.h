#pragma once

#include <string>

// Watches the X display for top-level windows being mapped: the moment a program's main window
// becomes visible, as the operator sees it, without help from the program.
class MapWatch
{
public:
    MapWatch(); // opens $DISPLAY and listens to the root window
    ~MapWatch();

    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool isOpen() const { return display != nullptr; }
    // Forgets what was mapped so far.
    void drain();
    // Waits for a top-level window titled `title` to be mapped and returns the monotonic
    // milliseconds of that moment, or a negative number after `timeoutMs`.
    double waitForMap(const std::string& title, int timeoutMs);

private:
    std::string titleOf(unsigned long window) const;

    struct _XDisplay* display = nullptr;
};
