// A calibrator wired to fakes: a healthy, installed driver with a one-monitor 1024 x 768 desktop.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calibrator/calibrator.h"
#include "driver/parameters.h"
#include "driver/requests.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_device.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/fake_window_system.h"

namespace testing_support {

// Records what the calibrator asked the screen to draw.
class FakeTargetScreen : public calibrator::TargetScreen {
public:
    int prepared = 0;
    std::vector<std::uint32_t> painted;
    std::vector<std::uint32_t> drawn;
    void prepare(platform::WindowId, const calibrator::DisplayLayout&) override { ++prepared; }
    void paint(platform::WindowId, std::uint32_t code) override { painted.push_back(code); }
    void drawTarget(platform::WindowId, std::uint32_t code) override { drawn.push_back(code); }
};

// The command letters of a controller frame the driver received ("ET3", "GP", "SP"), after checking
// the command block around them; empty for any other request.
inline std::string FrameName(const standin::LogEntry& entry) {
    if (entry.code != tavrex::REQ_CONTROLLER_COMMAND) return {};
    tavrex::ControllerCommand command;
    std::memcpy(&command, entry.input, sizeof command);
    EXPECT_EQ(entry.inputSize, 32u);
    EXPECT_EQ(command.key, 0x7C41u);
    EXPECT_EQ(command.reserved, 0u);
    EXPECT_EQ(command.frame[0], 0x01);
    EXPECT_EQ(command.frame[command.sendLength - 1], 0x0D);
    const std::size_t letters = command.frame[1] == 'S' ? 2 : command.sendLength - 2;  // "SP" carries values
    return std::string(reinterpret_cast<const char*>(command.frame + 1), letters);
}

class CalibratorFixture : public ::testing::Test {
protected:
    CalibratorFixture() : devices(registry) {
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kServiceKeyPath);
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values["ScreenPost"] = 16u;
        devices.restart();
    }

    calibrator::Platform seams() { return seamsWith(registry, devices); }
    // The same seams around another registry or device.
    calibrator::Platform seamsWith(platform::Registry& keys, platform::Devices& device) {
        return {.registry = keys,
                .devices = device,
                .clock = clock,
                .messageBoxes = messages,
                .prompt = messages,
                .windowFinder = desktop,
                .monitors = desktop,
                .pointer = desktop,
                .windows = windows,
                .threads = threads,
                .screen = screen};
    }

    fakes::FakeRegistry registry;
    fakes::FakeDevices devices;
    fakes::FakeClock clock;
    fakes::FakeUserMessages messages;
    fakes::FakeDesktop desktop;
    fakes::FakeWindowSystem windows;
    fakes::FakeThreads threads;
    FakeTargetScreen screen;
};

}  // namespace testing_support
