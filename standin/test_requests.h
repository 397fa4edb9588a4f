// Requests that only the stand-in driver answers: they let tests steer it and read it back.
// Function numbers 0xA00 and up; the tools never send these.
#pragma once

#include <cstdint>

#include "driver/requests.h"

namespace standin {

inline constexpr std::uint32_t TEST_QUEUE_TOUCH = tavrex::DriverRequest(0xA00);      // in: int32 x, int32 y
inline constexpr std::uint32_t TEST_SET_CONTROLLER = tavrex::DriverRequest(0xA01);   // in: ControllerBehaviour
inline constexpr std::uint32_t TEST_SET_STATE = tavrex::DriverRequest(0xA02);        // in: 1 current, 0 updated
inline constexpr std::uint32_t TEST_SET_VERSION = tavrex::DriverRequest(0xA03);      // in: 1 current, 0 old
inline constexpr std::uint32_t TEST_GET_CALIBRATION = tavrex::DriverRequest(0xA04);  // out: CalibrationRecord
inline constexpr std::uint32_t TEST_GET_LINEARITY = tavrex::DriverRequest(0xA05);    // out: uint32 x, uint32 y
inline constexpr std::uint32_t TEST_GET_LOG_COUNT = tavrex::DriverRequest(0xA06);    // out: uint32
inline constexpr std::uint32_t TEST_GET_LOG_ENTRY = tavrex::DriverRequest(0xA07);    // in: uint32 index; out: LogEntry
inline constexpr std::uint32_t TEST_CLEAR_LOG = tavrex::DriverRequest(0xA08);
inline constexpr std::uint32_t TEST_GET_SCREEN_POSITION = tavrex::DriverRequest(0xA09);  // out: uint32, unlogged
inline constexpr std::uint32_t TEST_FAIL_REQUEST = tavrex::DriverRequest(0xA0A);  // in: uint32 code to refuse, 0 none

inline constexpr bool IsTestRequest(std::uint32_t code) {
    return code >= TEST_QUEUE_TOUCH && code <= TEST_FAIL_REQUEST;
}

enum ControllerBehaviour : std::uint32_t {
    CONTROLLER_ANSWERING = 0,  // acknowledges "ET3"/"ET0", answers "GP", takes "SP"
    CONTROLLER_SILENT = 1,     // every controller command fails
    CONTROLLER_WRONG_ACK = 2,  // "ET3"/"ET0" replies carry a byte 1 other than '0'
};

inline constexpr std::uint32_t kLogInputMax = 68;  // the largest input of any request

#pragma pack(push, 1)
struct LogEntry {
    std::uint32_t code;
    std::uint32_t inputSize;  // bytes received; at most kLogInputMax of them are kept
    std::uint8_t input[kLogInputMax];
};
#pragma pack(pop)

}  // namespace standin
