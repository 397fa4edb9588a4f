// The calibration window's messages and the worker's thread and event, as the calibrator needs them.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/types.h"

namespace calibrator {

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // The calibrator's topmost popup over the area (class, title and styles fixed); 0 on failure.
    virtual platform::WindowId createCalibrationWindow(const platform::Rect& area) = 0;
    // Shows the window with the given show command and updates it at once.
    virtual void showWindow(platform::WindowId window, int showCommand) = 0;
    virtual void postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    virtual void postQuit(int exitCode) = 0;
};

// An unnamed auto-reset event, created not signalled.
class AutoResetEvent {
public:
    virtual ~AutoResetEvent() = default;
    virtual void set() = 0;
    virtual void wait() = 0;  // without time-out
};

class Threads {
public:
    virtual ~Threads() = default;
    virtual std::unique_ptr<AutoResetEvent> createAutoResetEvent() = 0;  // null on failure
    // Starts body on a new thread with the default stack; false on failure.
    virtual bool start(void (*body)(void*), void* argument) = 0;
};

}  // namespace calibrator
