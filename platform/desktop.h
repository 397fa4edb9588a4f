// The desktop around the calibrator: other top-level windows, the monitors, the mouse pointer.
#pragma once

#include <string_view>

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
    std::string_view deviceName;  // e.g. "\\.\DISPLAY1"
    Rect rect;                    // the whole monitor, not the work area
    bool primary = false;
};

// Takes the monitors one at a time while they are enumerated; their names last only for the call.
class MonitorSink {
public:
    virtual ~MonitorSink() = default;
    // False ends the enumeration.
    virtual bool add(const MonitorInfo& monitor) = 0;
};

class Monitors {
public:
    virtual ~Monitors() = default;
    // Hands every display monitor of the desktop to the sink, in the order the system enumerates them.
    virtual void enumerate(MonitorSink& sink) = 0;
};

class Pointer {
public:
    virtual ~Pointer() = default;
    virtual void show(bool visible) = 0;
};

}  // namespace platform
