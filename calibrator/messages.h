// The calibrator's private window messages; always posted, wParam 0.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace calibrator {

inline constexpr std::uint32_t MSG_START_PASS = platform::kWmUser + 21;   // release the worker for one pass
inline constexpr std::uint32_t MSG_SHOW_TARGET = platform::kWmUser + 22;  // lParam: target code
inline constexpr std::uint32_t MSG_PASS_DONE = platform::kWmUser + 23;    // new calibration computed and applied

static_assert(MSG_START_PASS == 0x0415 && MSG_SHOW_TARGET == 0x0416 && MSG_PASS_DONE == 0x0417);

}  // namespace calibrator
