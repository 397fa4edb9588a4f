// tavrexctl: steers and inspects the stand-in driver from scripts. Parsing and output live here, apart from
// Win32, so that the same code runs against the fake device in unit tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/device.h"

namespace tavrexctl {

// Exit codes that scripts can tell apart.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;   // the driver failed a request
inline constexpr int kExitUsage = 2;     // bad arguments
inline constexpr int kExitNoDevice = 3;  // "\\.\tavrex" does not open

extern const char* const kUsage;

struct Command {
    enum class Kind { Touch, Controller, State, Version, Calibration, Linearity, Log, ClearLog, Map, Reload, Beep };
    Kind kind = Kind::Log;
    std::int32_t x = 0;       // Touch, Map
    std::int32_t y = 0;       // Touch, Map
    std::uint32_t value = 0;  // Controller: a ControllerBehaviour; State, Version: 1 current, 0 not
};

// Empty on any argument it does not know; argv[0] is the program name.
std::optional<Command> Parse(int argc, const char* const* argv);

// Sends the command's requests; what the user should see goes to out (stdout) and err (stderr).
// The monitors place the calibration area on the desktop for "map".
int Execute(const Command& command, platform::DeviceHandle& device, platform::Monitors& monitors, std::string& out,
            std::string& err);

// Parse, open the device, execute.
int Run(int argc, const char* const* argv, platform::Devices& devices, platform::Monitors& monitors, std::string& out,
        std::string& err);

}  // namespace tavrexctl
