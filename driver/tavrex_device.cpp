#include "driver/tavrex_device.h"

#include "driver/requests.h"

namespace tavrex {

namespace {

bool Send(platform::DeviceHandle& device, std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
          std::uint32_t outSize) {
    std::uint32_t returned = 0;
    return device.control(code, in, inSize, out, outSize, &returned);
}

// A read into a copy: the caller's buffer changes only when the driver filled all of it, so a short
// answer cannot leave a fresh marker over stale coordinates.
template <typename T>
bool Read(platform::DeviceHandle& device, std::uint32_t code, T& value) {
    std::uint32_t returned = 0;
    T buffer = value;
    if (!device.control(code, nullptr, 0, &buffer, sizeof buffer, &returned) || returned != sizeof buffer) return false;
    value = buffer;
    return true;
}

}  // namespace

bool ReadSample(platform::DeviceHandle& device, RawSample& sample) { return Read(device, REQ_READ_SAMPLE, sample); }

bool ArmSample(platform::DeviceHandle& device) { return Send(device, REQ_ARM_SAMPLE, nullptr, 0, nullptr, 0); }

bool SetCalibration(platform::DeviceHandle& device, const CalibrationRecord& record) {
    return Send(device, REQ_SET_CALIBRATION, &record, sizeof record, nullptr, 0);
}

bool ReloadSettings(platform::DeviceHandle& device) {
    return Send(device, REQ_RELOAD_SETTINGS, nullptr, 0, nullptr, 0);
}

bool SetBeep(platform::DeviceHandle& device, const BeepRecord& beep) {
    return Send(device, REQ_SET_BEEP, &beep, sizeof beep, nullptr, 0);
}

bool GetBeep(platform::DeviceHandle& device, BeepRecord& beep) { return Read(device, REQ_GET_BEEP, beep); }

bool TestBeep(platform::DeviceHandle& device) { return Send(device, REQ_TEST_BEEP, nullptr, 0, nullptr, 0); }

bool SendControllerCommand(platform::DeviceHandle& device, const ControllerCommand& command, void* reply,
                           std::uint32_t* returned) {
    std::uint32_t count = 0;
    const bool ok = device.control(REQ_CONTROLLER_COMMAND, &command, sizeof command,
                                   command.replyLength ? reply : nullptr, command.replyLength, &count);
    if (returned) *returned = count;
    return ok;
}

bool GetScreenPosition(platform::DeviceHandle& device, std::uint32_t& code) {
    return Read(device, REQ_GET_SCREEN_POSITION, code);
}

bool GetPort(platform::DeviceHandle& device, std::uint32_t& port) { return Read(device, REQ_GET_PORT, port); }

bool GetDriverState(platform::DeviceHandle& device, std::uint32_t& state) {
    return Read(device, REQ_GET_DRIVER_STATE, state);
}

}  // namespace tavrex
