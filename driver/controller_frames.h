// Command blocks for the touch controller, carried by REQ_CONTROLLER_COMMAND.
#pragma once

#include <cstdint>

#include "driver/records.h"

namespace tavrex {

inline constexpr std::uint32_t kAckReplyLength = 3;  // "ET3", "ET0"
inline constexpr std::uint32_t kGpReplyLength = 10;  // "GP"
inline constexpr std::uint8_t kAckByte = 0x30;       // reply byte 1 of an acknowledgement: '0'

// The linearity values as the controller takes them, low and high byte of each axis.
struct LinearityBytes {
    std::uint8_t xHigh = 0;
    std::uint8_t xLow = 0;
    std::uint8_t yHigh = 0;
    std::uint8_t yLow = 0;
    friend bool operator==(const LinearityBytes&, const LinearityBytes&) = default;
};

ControllerCommand MakeEt3Command();                             // calibration mode on
ControllerCommand MakeEt0Command();                             // back to normal operation
ControllerCommand MakeGpCommand();                              // read the linearity values back
ControllerCommand MakeSpCommand(const LinearityBytes& values);  // load the linearity values

// The linearity values that a "GP" reply carries (bytes 1, 2 = X low, high; 5, 6 = Y low, high).
LinearityBytes ParseGpReply(const std::uint8_t (&reply)[kGpReplyLength]);

}  // namespace tavrex
