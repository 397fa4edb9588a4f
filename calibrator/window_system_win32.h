// The Win32 side of the calibrator's window, thread and event seams; each only translates calls.
#pragma once

#include <windows.h>

#include "calibrator/window_system.h"

namespace calibrator {

class WindowSystemWin32 : public WindowSystem {
public:
    // The class must be registered; the window procedure is the class's.
    WindowSystemWin32(HINSTANCE instance, const char* className, const char* title)
        : instance_(instance), className_(className), title_(title) {}
    platform::WindowId createCalibrationWindow(const platform::Rect& area) override;
    void showWindow(platform::WindowId window, int showCommand) override;
    void postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void postQuit(int exitCode) override;

private:
    HINSTANCE instance_;
    const char* className_;
    const char* title_;
};

class ThreadsWin32 : public Threads {
public:
    std::unique_ptr<AutoResetEvent> createAutoResetEvent() override;
    bool start(void (*body)(void*), void* argument) override;
};

}  // namespace calibrator
