#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "driver/parameters.h"
#include "driver/requests.h"
#include "panel/pages/beep_page.h"
#include "panel/resource_ids.h"
#include "platform/types.h"
#include "standin/test_requests.h"
#include "tests/fakes/fake_device.h"
#include "tests/fakes/fake_registry.h"
#include "tests/unit/page_host.h"

namespace {

using panel::TabPage2;

// The little-endian bytes of a request's input.
std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint32_t> values) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    return bytes;
}

std::vector<std::uint8_t> Input(const standin::LogEntry& entry) {
    return std::vector<std::uint8_t>(entry.input, entry.input + entry.inputSize);
}

class BeepPage : public ::testing::Test {
protected:
    BeepPage() {
        // The driver's own beep: mode 1, 2000 Hz, 100 ms.
        auto& values = registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values;
        values[tavrex::kValueBeepMode] = 1u;
        values[tavrex::kValueBeepFreq1] = 2000u;
        values[tavrex::kValueBeepTime1] = 100u;
        devices.restart();
        driver = devices.open(tavrex::kDevicePath, platform::kFileShareRead | platform::kFileShareWrite);
    }
    void Open(std::int32_t mode, std::int32_t frequency, std::int32_t duration) {
        page.driverHandle = driver.get();
        page.modeIndex = mode;
        page.frequency = frequency;
        page.duration = duration;
        host.open();
    }
    void PressTest() {
        devices.core().clearLog();
        host.click(IDC_BEEP_TEST);
    }
    std::string FrequencyLabel() { return host.label(IDC_BEEP_FREQUENCY_TEXT); }
    std::string DurationLabel() { return host.label(IDC_BEEP_DURATION_TEXT); }

    fakes::FakeRegistry registry;
    fakes::FakeDevices devices{registry};
    std::unique_ptr<platform::DeviceHandle> driver;
    TabPage2 page;
    paneltest::PageHost host{page};
    fakes::FakeControls& controls = host.controls;
};

TEST_F(BeepPage, InitialisationFillsListRangesAndLabels) {
    Open(2, 3000, 200);
    const fakes::FakeComboBox& modes = controls.combos[IDC_BEEP_MODE];
    EXPECT_EQ(modes.texts(), (std::vector<std::string>{"不发声", "触摸时发声", "离开时发声"}));
    EXPECT_EQ(modes.selected, 2);
    const fakes::FakeSlider& frequency = controls.sliders[IDC_BEEP_FREQUENCY];
    const fakes::FakeSlider& duration = controls.sliders[IDC_BEEP_DURATION];
    EXPECT_EQ(std::vector<int>({frequency.minimum, frequency.maximum, frequency.position}),
              std::vector<int>({1000, 5000, 3000}));
    EXPECT_EQ(std::vector<int>({duration.minimum, duration.maximum, duration.position}),
              std::vector<int>({32, 750, 200}));
    EXPECT_EQ(frequency.redraws, std::vector<bool>{true});
    EXPECT_EQ(duration.redraws, std::vector<bool>{true});
    EXPECT_EQ(FrequencyLabel(), "3000");
    EXPECT_EQ(DurationLabel(), "200");
    EXPECT_TRUE(devices.log().empty()) << "only the test talks to the driver";
}

TEST_F(BeepPage, ScrollRewritesBothLabelsAndACaptureReadsThemBack) {
    Open(1, 6000, 20);  // out of range: shown at the bounds, the labels show the numbers given
    EXPECT_EQ(controls.sliders[IDC_BEEP_FREQUENCY].position, 5000);
    EXPECT_EQ(controls.sliders[IDC_BEEP_DURATION].position, 32);
    EXPECT_EQ(FrequencyLabel(), "6000");
    EXPECT_EQ(page.frequency, 6000);

    host.pick(IDC_BEEP_MODE, 0);
    EXPECT_EQ(page.modeIndex, 0);
    EXPECT_EQ(page.frequency, 5000);
    EXPECT_EQ(page.duration, 32);
    EXPECT_EQ(FrequencyLabel(), "6000") << "a capture reads the label back";
    EXPECT_EQ(DurationLabel(), "20");

    host.drag(IDC_BEEP_DURATION, 300);
    EXPECT_EQ(page.duration, 300);
    EXPECT_EQ(DurationLabel(), "300");
    EXPECT_EQ(FrequencyLabel(), "5000") << "moving one slider rewrites the other slider's label";
    for (int position : {1200, 1300, 4999}) {
        host.drag(IDC_BEEP_FREQUENCY, position);
        EXPECT_EQ(page.frequency, position);
        EXPECT_EQ(FrequencyLabel(), std::to_string(position));
    }
    EXPECT_TRUE(page.deactivate());
    EXPECT_STREQ(page.frequencyText, "4999");
}

TEST_F(BeepPage, TestSendsTheChosenBeepAndRestoresTheDriversOwn) {
    Open(1, 3000, 200);
    host.pick(IDC_BEEP_MODE, 2);
    host.drag(IDC_BEEP_FREQUENCY, 3500);
    host.drag(IDC_BEEP_DURATION, 250);
    // A thumb position no notification reported is not what the test uses: it takes the members.
    controls.sliders[IDC_BEEP_DURATION].setPos(700);

    PressTest();
    const std::vector<standin::LogEntry> log = devices.log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].code, 0x000F2644u);
    EXPECT_EQ(log[0].inputSize, 0u);
    EXPECT_EQ(log[1].code, 0x000F2640u);
    EXPECT_EQ(Input(log[1]), Bytes({2, 3500, 250, 3500, 250}));
    EXPECT_EQ(log[2].code, 0x000F264Cu);
    EXPECT_EQ(log[2].inputSize, 0u);
    EXPECT_EQ(log[3].code, 0x000F2640u);
    EXPECT_EQ(Input(log[3]), Bytes({1, 2000, 100, 0, 0}));

    EXPECT_EQ(devices.core().testBeepCount(), 1u);
    const tavrex::BeepRecord& after = devices.core().beep();
    EXPECT_EQ(Bytes({after.mode, after.frequency, after.duration, after.reserved1, after.reserved2}),
              Bytes({1, 2000, 100, 0, 0}));
    EXPECT_EQ(page.modeIndex, 2);
    EXPECT_EQ(page.duration, 250);

    // "No sound" is sent as it is.
    host.pick(IDC_BEEP_MODE, 0);
    PressTest();
    ASSERT_EQ(devices.log().size(), 4u);
    EXPECT_EQ(Input(devices.log()[1]), Bytes({0, 3500, 700, 3500, 700}));
}

TEST_F(BeepPage, ATestThatCannotReadTheDriversBeepSendsNothingMore) {
    Open(2, 3000, 200);
    const std::uint32_t failing = tavrex::REQ_GET_BEEP;
    ASSERT_TRUE(driver->control(standin::TEST_FAIL_REQUEST, &failing, sizeof failing, nullptr, 0, nullptr));
    PressTest();
    EXPECT_EQ(devices.codes(), std::vector<std::uint32_t>{0x000F2644u});
    EXPECT_EQ(devices.core().testBeepCount(), 0u);
    EXPECT_EQ(devices.core().beep().frequency, 2000u);

    // Without a driver handle there is nothing to send.
    page.driverHandle = nullptr;
    PressTest();
    EXPECT_TRUE(devices.log().empty());
}

}  // namespace
