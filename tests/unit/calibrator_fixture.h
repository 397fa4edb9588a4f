// A calibrator wired to fakes: a healthy, installed driver with a one-monitor 1024 x 768 desktop.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calibrator/calibrator.h"
#include "driver/registry_paths.h"
#include "platform/fakes/fake_clock.h"
#include "platform/fakes/fake_device.h"
#include "platform/fakes/fake_registry.h"
#include "platform/fakes/fake_ui.h"
#include "platform/fakes/fake_window_system.h"

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

class CalibratorFixture : public ::testing::Test {
protected:
    CalibratorFixture() : devices(registry) {
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kServiceKeyPath);
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values["ScreenPost"] = 16u;
        devices.restart();
    }

    calibrator::Platform seams() {
        return {registry, devices, clock, messages, messages, desktop, desktop, desktop, windows, threads, screen};
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
