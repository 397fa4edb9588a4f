// Device control codes of the touch driver: 0x000F0000 + function * 4 (any access, buffered).
#pragma once

#include <cstdint>

namespace tavrex {

inline constexpr const char* kDevicePath = "\\\\.\\tavrex";

constexpr std::uint32_t DriverRequest(std::uint32_t function) { return 0x000F0000u + function * 4u; }

inline constexpr std::uint32_t REQ_READ_SAMPLE = 0x000F2408;
inline constexpr std::uint32_t REQ_ARM_SAMPLE = 0x000F2410;
inline constexpr std::uint32_t REQ_SET_CALIBRATION = 0x000F2600;
inline constexpr std::uint32_t REQ_RELOAD_SETTINGS = 0x000F2620;
inline constexpr std::uint32_t REQ_SET_BEEP = 0x000F2640;
inline constexpr std::uint32_t REQ_GET_BEEP = 0x000F2644;
inline constexpr std::uint32_t REQ_TEST_BEEP = 0x000F264C;
inline constexpr std::uint32_t REQ_CONTROLLER_COMMAND = 0x000F2688;
inline constexpr std::uint32_t REQ_GET_SCREEN_POSITION = 0x000F2690;
inline constexpr std::uint32_t REQ_GET_PORT = 0x000F269C;
inline constexpr std::uint32_t REQ_GET_DRIVER_STATE = 0x000F26A0;

static_assert(DriverRequest(0x902) == REQ_READ_SAMPLE);
static_assert(DriverRequest(0x9A8) == REQ_GET_DRIVER_STATE);

}  // namespace tavrex
