// The Win32 implementations of the seams; each only translates calls.
#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/device.h"
#include "platform/registry.h"
#include "platform/user_messages.h"

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
    void enumerate(MonitorSink& sink) override;
    void show(bool visible) override;
};

}  // namespace platform::win32
