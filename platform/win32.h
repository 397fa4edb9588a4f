// The Win32 implementations of the seams; each only translates calls.
#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/device.h"
#include "platform/registry.h"
#include "platform/user_messages.h"
#include "platform/window_system.h"

namespace platform::win32 {

class Registry : public platform::Registry {
public:
    std::unique_ptr<RegistryKey> open(RootKey root, const char* path, std::uint32_t access) override;
};

class Devices : public platform::Devices {
public:
    std::unique_ptr<DeviceHandle> open(const char* path, std::uint32_t shareMode) override;
};

class Clock : public platform::Clock {
public:
    void sleep(std::uint32_t milliseconds) override;
};

class MessageBoxes : public platform::MessageBoxes {
public:
    int show(WindowId owner, const char* text, const char* caption, std::uint32_t flags) override;
};

class Desktop : public WindowFinder, public Monitors, public Pointer {
public:
    WindowId find(const char* className, const char* title) override;
    void bringToFront(WindowId window) override;
    std::vector<MonitorInfo> enumerate() override;
    void show(bool visible) override;
};

class WindowSystem : public platform::WindowSystem {
public:
    // The class must be registered; the window procedure is the class's.
    WindowSystem(void* instance, const char* className, const char* title)
        : instance_(instance), className_(className), title_(title) {}
    WindowId createCalibrationWindow(const Rect& area) override;
    void showWindow(WindowId window, int showCommand) override;
    void postMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void postQuit(int exitCode) override;

private:
    void* instance_;
    const char* className_;
    const char* title_;
};

class Threads : public platform::Threads {
public:
    std::unique_ptr<AutoResetEvent> createAutoResetEvent() override;
    bool start(void (*body)(void*), void* argument) override;
};

}  // namespace platform::win32
