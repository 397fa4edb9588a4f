// The check both deliverables make before they show anything: is the driver installed, loaded and
// current. Each maps the answer to its own message.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/device.h"
#include "platform/registry.h"

namespace tavrex {

enum class DriverState {
    NotInstalled,  // the device does not open, nor the driver's key with full access
    NotLoaded,     // the device does not open but the key does: installed, loaded after a restart
    NoAnswer,      // the device opens but does not answer the state request
    Updated,       // the driver's files are new but the running driver is the old one until a restart
    Ready,
};

struct DriverCheck {
    DriverState state;
    // Open whenever the device opened, also when the driver then fails the check: how long it stays
    // open is the caller's choice.
    std::unique_ptr<platform::DeviceHandle> device;
};

// Opens the device with the share mode and asks it for its state; a device that does not open is told
// apart by whether the driver's Parameters key opens with full access, so a user without the rights to
// it learns the driver is not installed.
DriverCheck CheckDriver(platform::Devices& devices, platform::Registry& registry, std::uint32_t shareMode);

}  // namespace tavrex
