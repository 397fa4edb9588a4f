// Typed wrappers over the touch driver's requests; one per request, shared by both deliverables.
#pragma once

#include <cstdint>

#include "driver/records.h"
#include "platform/device.h"

namespace tavrex {

// Each returns true when the driver accepted the request. A read also needs the driver to fill the whole
// buffer; otherwise it returns false and leaves the caller's buffer as it was.
bool ReadSample(platform::DeviceHandle& device, RawSample& sample);
bool ArmSample(platform::DeviceHandle& device);
bool SetCalibration(platform::DeviceHandle& device, const CalibrationRecord& record);
bool ReloadSettings(platform::DeviceHandle& device);
bool SetBeep(platform::DeviceHandle& device, const BeepRecord& beep);
bool GetBeep(platform::DeviceHandle& device, BeepRecord& beep);
bool TestBeep(platform::DeviceHandle& device);
// The reply length is the command's own; reply must hold that many bytes. returned, when given,
// receives the number of reply bytes the driver wrote.
bool SendControllerCommand(platform::DeviceHandle& device, const ControllerCommand& command, void* reply,
                           std::uint32_t* returned = nullptr);
bool GetScreenPosition(platform::DeviceHandle& device, std::uint32_t& code);
bool GetPort(platform::DeviceHandle& device, std::uint32_t& port);
bool GetDriverState(platform::DeviceHandle& device, std::uint32_t& state);

}  // namespace tavrex
