// The desktop around the calibrator: other top-level windows, the monitors, the mouse pointer.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

class WindowFinder {
public:
    virtual ~WindowFinder() = default;
    // A top-level window with exactly this class and title, or 0.
    virtual WindowId find(const char* className, const char* title) = 0;
    virtual void bringToFront(WindowId window) = 0;
};

struct MonitorInfo {
    std::string deviceName;  // e.g. "\\.\DISPLAY1"
    Rect rect;               // the whole monitor, not the work area
    bool primary = false;
};

class Monitors {
public:
    virtual ~Monitors() = default;
    // Every display monitor of the desktop, in the order the system enumerates them.
    virtual std::vector<MonitorInfo> enumerate() = 0;
};

class Pointer {
public:
    virtual ~Pointer() = default;
    virtual void show(bool visible) = 0;
};

}  // namespace platform
