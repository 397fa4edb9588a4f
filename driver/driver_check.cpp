#include "driver/driver_check.h"

#include "driver/parameters.h"
#include "driver/requests.h"
#include "driver/tavrex_device.h"

namespace tavrex {

DriverCheck CheckDriver(platform::Devices& devices, platform::Registry& registry, std::uint32_t shareMode) {
    DriverCheck check{DriverState::Ready, devices.open(kDevicePath, shareMode)};
    if (!check.device) {
        const bool installed =
            registry.open(platform::RootKey::LocalMachine, kParametersKeyPath, platform::kKeyAllAccess) != nullptr;
        check.state = installed ? DriverState::NotLoaded : DriverState::NotInstalled;
        return check;
    }
    std::uint32_t state = 0;
    if (!GetDriverState(*check.device, state))
        check.state = DriverState::NoAnswer;
    else if (state == 0)
        check.state = DriverState::Updated;
    return check;
}

}  // namespace tavrex
