#include "standin/tavrexctl/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calibrator/display_selection.h"
#include "driver/records.h"
#include "driver/requests.h"
#include "driver/tavrex_device.h"
#include "platform/types.h"
#include "standin/calibration_map.h"
#include "standin/test_requests.h"

namespace tavrexctl {

const char* const kUsage =
    "usage: tavrexctl touch X Y                  queue one raw sample for the next arm\n"
    "       tavrexctl controller answering|silent|wrong-ack\n"
    "       tavrexctl state current|updated      what the driver-state request answers\n"
    "       tavrexctl version current|old        old: the screen-position request fails\n"
    "       tavrexctl calibration                the 17 fields of the calibration in force\n"
    "       tavrexctl linearity                  the controller's X and Y linearity values\n"
    "       tavrexctl log [--clear]              the requests received since the last clear\n"
    "       tavrexctl reload                     the driver reads Parameters again (a real reload request)\n"
    "       tavrexctl beep                       the beep record in force (five values)\n"
    "       tavrexctl map X Y                    the screen point of raw (X, Y) under the calibration in force\n"
    "exit: 0 done, 1 refused by the driver, 2 bad arguments, 3 device does not open\n";

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Whole argument, decimal, within int32: "12abc", "" and "99999999999" are refused.
bool ParseInt32(const char* text, std::int32_t& value) {
    if (!*text) return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<std::int32_t>(parsed);
    return true;
}

std::string Hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

// One request with a fixed-size answer; false unless the driver returned all of it.
bool Query(platform::DeviceHandle& device, std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
           std::uint32_t outSize) {
    std::uint32_t returned = 0;
    return device.control(code, in, inSize, out, outSize, &returned) && returned == outSize;
}

bool Send(platform::DeviceHandle& device, std::uint32_t code, std::uint32_t value) {
    std::uint32_t returned = 0;
    return device.control(code, &value, sizeof value, nullptr, 0, &returned);
}

int Refused(std::string& err, const char* what) {
    err += "tavrexctl: the driver refused ";
    err += what;
    err += "\n";
    return kExitRefused;
}

int PrintLog(platform::DeviceHandle& device, std::string& out, std::string& err) {
    std::uint32_t count = 0;
    if (!Query(device, standin::TEST_GET_LOG_COUNT, nullptr, 0, &count, sizeof count))
        return Refused(err, "the log count request");
    for (std::uint32_t index = 0; index < count; ++index) {
        standin::LogEntry entry{};
        if (!Query(device, standin::TEST_GET_LOG_ENTRY, &index, sizeof index, &entry, sizeof entry))
            return Refused(err, "a log entry request");
        std::string line = Hex32(entry.code);
        const std::uint32_t kept = entry.inputSize < standin::kLogInputMax ? entry.inputSize : standin::kLogInputMax;
        for (std::uint32_t i = 0; i < kept; ++i) {
            char byte[4];
            std::snprintf(byte, sizeof byte, " %02X", static_cast<unsigned>(entry.input[i]));
            line += byte;
        }
        out += line;
        out += "\n";
    }
    return kExitOk;
}

}  // namespace

std::optional<Command> Parse(int argc, const char* const* argv) {
    if (argc < 2) return std::nullopt;
    const char* verb = argv[1];
    Command command;
    if ((Is(verb, "touch") || Is(verb, "map")) && argc == 4) {
        command.kind = Is(verb, "touch") ? Command::Kind::Touch : Command::Kind::Map;
        if (ParseInt32(argv[2], command.x) && ParseInt32(argv[3], command.y)) return command;
        return std::nullopt;
    }
    if ((Is(verb, "calibration") || Is(verb, "linearity")) && argc == 2) {
        command.kind = Is(verb, "calibration") ? Command::Kind::Calibration : Command::Kind::Linearity;
        return command;
    }
    if ((Is(verb, "reload") || Is(verb, "beep")) && argc == 2) {
        command.kind = Is(verb, "reload") ? Command::Kind::Reload : Command::Kind::Beep;
        return command;
    }
    if (Is(verb, "log") && argc == 2) {
        command.kind = Command::Kind::Log;
        return command;
    }
    if (Is(verb, "log") && argc == 3 && Is(argv[2], "--clear")) {
        command.kind = Command::Kind::ClearLog;
        return command;
    }
    if (argc != 3) return std::nullopt;
    const char* choice = argv[2];
    if (Is(verb, "controller")) {
        command.kind = Command::Kind::Controller;
        if (Is(choice, "answering"))
            command.value = standin::CONTROLLER_ANSWERING;
        else if (Is(choice, "silent"))
            command.value = standin::CONTROLLER_SILENT;
        else if (Is(choice, "wrong-ack"))
            command.value = standin::CONTROLLER_WRONG_ACK;
        else
            return std::nullopt;
        return command;
    }
    if (Is(verb, "state") && (Is(choice, "current") || Is(choice, "updated"))) {
        command.kind = Command::Kind::State;
        command.value = Is(choice, "current") ? 1 : 0;
        return command;
    }
    if (Is(verb, "version") && (Is(choice, "current") || Is(choice, "old"))) {
        command.kind = Command::Kind::Version;
        command.value = Is(choice, "current") ? 1 : 0;
        return command;
    }
    return std::nullopt;
}

namespace {

// Where the driver would put the pointer for a raw touch: the calibration in force applied over the
// calibration area that the screen-position code and the monitors give, in virtual-screen pixels.
int PrintMappedPoint(const Command& command, platform::DeviceHandle& device, platform::Monitors& monitors,
                     std::string& out, std::string& err) {
    tavrex::CalibrationRecord record{};
    std::uint32_t screenPosition = 0;
    if (!Query(device, standin::TEST_GET_CALIBRATION, nullptr, 0, &record, sizeof record) ||
        !Query(device, standin::TEST_GET_SCREEN_POSITION, nullptr, 0, &screenPosition, sizeof screenPosition))
        return Refused(err, "the calibration request");
    const calibrator::DisplayLayout layout =
        calibrator::SelectCalibrationArea(screenPosition, calibrator::RecordMonitors(monitors));
    const standin::AreaPoint point = standin::MapToArea(record, layout.W, layout.H, command.x, command.y);
    if (!point.mapped) {
        err += "tavrexctl: the calibration in force has a zero extent: no point\n";
        return kExitRefused;
    }
    out += std::to_string(static_cast<long long>(layout.area.left) + point.x) + " " +
           std::to_string(static_cast<long long>(layout.area.top) + point.y) + "\n";
    return kExitOk;
}

}  // namespace

int Execute(const Command& command, platform::DeviceHandle& device, platform::Monitors& monitors, std::string& out,
            std::string& err) {
    switch (command.kind) {
        case Command::Kind::Touch: {
            const std::int32_t point[2] = {command.x, command.y};
            std::uint32_t returned = 0;
            if (!device.control(standin::TEST_QUEUE_TOUCH, point, sizeof point, nullptr, 0, &returned))
                return Refused(err, "the touch (is the queue full?)");
            return kExitOk;
        }
        case Command::Kind::Controller:
            return Send(device, standin::TEST_SET_CONTROLLER, command.value) ? kExitOk
                                                                             : Refused(err, "the controller behaviour");
        case Command::Kind::State:
            return Send(device, standin::TEST_SET_STATE, command.value) ? kExitOk : Refused(err, "the driver state");
        case Command::Kind::Version:
            return Send(device, standin::TEST_SET_VERSION, command.value) ? kExitOk : Refused(err, "the version");
        case Command::Kind::Calibration: {
            tavrex::CalibrationRecord record{};
            if (!Query(device, standin::TEST_GET_CALIBRATION, nullptr, 0, &record, sizeof record))
                return Refused(err, "the calibration request");
            std::string line;
            for (int field = 0; field < 17; ++field) {
                if (field) line += ' ';
                line += std::to_string(tavrex::RecordField(record, field));
            }
            out += line + "\n";
            return kExitOk;
        }
        case Command::Kind::Linearity: {
            std::uint32_t values[2] = {};
            if (!Query(device, standin::TEST_GET_LINEARITY, nullptr, 0, values, sizeof values))
                return Refused(err, "the linearity request");
            out += std::to_string(values[0]) + " " + std::to_string(values[1]) + "\n";
            return kExitOk;
        }
        case Command::Kind::Log: return PrintLog(device, out, err);
        case Command::Kind::Beep: {
            // Through the tools' own read request, so it shows in the log like any other.
            tavrex::BeepRecord beep{};
            if (!tavrex::GetBeep(device, beep)) return Refused(err, "the beep record request");
            out += std::to_string(beep.mode) + " " + std::to_string(beep.frequency) + " " +
                   std::to_string(beep.duration) + " " + std::to_string(beep.reserved1) + " " +
                   std::to_string(beep.reserved2) + "\n";
            return kExitOk;
        }
        case Command::Kind::Map: return PrintMappedPoint(command, device, monitors, out, err);
        case Command::Kind::Reload:
            return tavrex::ReloadSettings(device) ? kExitOk : Refused(err, "the reload request");
        case Command::Kind::ClearLog: {
            std::uint32_t returned = 0;
            return device.control(standin::TEST_CLEAR_LOG, nullptr, 0, nullptr, 0, &returned)
                       ? kExitOk
                       : Refused(err, "clearing the log");
        }
    }
    return kExitUsage;
}

int Run(int argc, const char* const* argv, platform::Devices& devices, platform::Monitors& monitors, std::string& out,
        std::string& err) {
    const std::optional<Command> command = Parse(argc, argv);
    if (!command) {
        err += kUsage;
        return kExitUsage;
    }
    auto device = devices.open(tavrex::kDevicePath, platform::kFileShareRead | platform::kFileShareWrite);
    if (!device) {
        err += "tavrexctl: cannot open ";
        err += tavrex::kDevicePath;
        err += ": the stand-in driver (service Tavrex) is not loaded\n";
        return kExitNoDevice;
    }
    return Execute(*command, *device, monitors, out, err);
}

}  // namespace tavrexctl
