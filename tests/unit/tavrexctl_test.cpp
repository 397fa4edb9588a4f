#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/controller_frames.h"
#include "driver/parameters.h"
#include "driver/records.h"
#include "driver/requests.h"
#include "driver/tavrex_device.h"
#include "standin/tavrexctl/commands.h"
#include "tests/fakes/fake_device.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_ui.h"

namespace {

class TavrexctlTest : public testing::Test {
protected:
    fakes::FakeRegistry registry;
    fakes::FakeDevices devices{registry};
    fakes::FakeDesktop desktop;
    std::unique_ptr<platform::DeviceHandle> device = devices.open(tavrex::kDevicePath, 3);
    std::string out, err;

    int Run(std::vector<const char*> args) {
        args.insert(args.begin(), "tavrexctl");
        out.clear();
        err.clear();
        return tavrexctl::Run(static_cast<int>(args.size()), args.data(), devices, desktop, out, err);
    }
};

TEST_F(TavrexctlTest, BadArgumentsPrintUsageWithoutOpeningTheDevice) {
    const std::vector<std::vector<const char*>> bad = {
        {},
        {"touch", "1"},
        {"touch", "1", "2", "3"},
        {"touch", "12x", "5"},
        {"touch", "", "5"},
        {"touch", "5", "2147483648"},
        {"controller", "loud"},
        {"controller"},
        {"state", "new"},
        {"version", "current", "old"},
        {"log", "--clean"},
        {"calibration", "now"},
        {"Log"},
    };
    devices.opens.clear();
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), tavrexctl::kExitUsage) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(err.find("usage: tavrexctl"), std::string::npos);
        EXPECT_TRUE(out.empty());
    }
    EXPECT_TRUE(devices.opens.empty());

    EXPECT_EQ(Run({"touch", "-2147483648", "2147483647"}), tavrexctl::kExitOk) << err;
}

TEST_F(TavrexctlTest, MissingDeviceIsReportedOnStderrWithItsOwnExitCode) {
    devices.present = false;
    EXPECT_EQ(Run({"log"}), tavrexctl::kExitNoDevice);
    EXPECT_NE(err.find("cannot open \\\\.\\tavrex"), std::string::npos) << err;
    EXPECT_TRUE(out.empty());
}

TEST_F(TavrexctlTest, SteeringCommandsChangeWhatTheDriverAnswers) {
    // Queued touches come out one per arm, in order, marked fresh.
    ASSERT_EQ(Run({"touch", "100", "-200"}), 0) << err;
    ASSERT_EQ(Run({"touch", "7", "8"}), 0) << err;
    tavrex::RawSample sample{};
    ASSERT_TRUE(tavrex::ArmSample(*device));
    ASSERT_TRUE(tavrex::ReadSample(*device, sample));
    EXPECT_EQ(sample.marker, tavrex::kSampleFresh);
    EXPECT_EQ(sample.x, 100);
    EXPECT_EQ(sample.y, -200);
    ASSERT_TRUE(tavrex::ArmSample(*device));
    ASSERT_TRUE(tavrex::ReadSample(*device, sample));
    EXPECT_EQ(sample.x, 7);
    EXPECT_EQ(sample.y, 8);

    std::uint32_t value = 99;
    ASSERT_EQ(Run({"state", "updated"}), 0);
    ASSERT_TRUE(tavrex::GetDriverState(*device, value));
    EXPECT_EQ(value, 0u);
    ASSERT_EQ(Run({"state", "current"}), 0);
    ASSERT_TRUE(tavrex::GetDriverState(*device, value));
    EXPECT_EQ(value, 1u);

    // reload: the driver takes over a changed Parameters value, as after the panel's close notice.
    registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values[tavrex::kValueScreenPost] = 38u;
    ASSERT_TRUE(tavrex::GetScreenPosition(*device, value));
    EXPECT_NE(value, 38u);
    ASSERT_EQ(Run({"reload"}), 0) << err;
    ASSERT_TRUE(tavrex::GetScreenPosition(*device, value));
    EXPECT_EQ(value, 38u);

    ASSERT_EQ(Run({"version", "old"}), 0);
    EXPECT_FALSE(tavrex::GetScreenPosition(*device, value));
    ASSERT_EQ(Run({"version", "current"}), 0);
    EXPECT_TRUE(tavrex::GetScreenPosition(*device, value));

    std::uint8_t reply[tavrex::kAckReplyLength] = {};
    ASSERT_EQ(Run({"controller", "silent"}), 0);
    EXPECT_FALSE(tavrex::SendControllerCommand(*device, tavrex::MakeEt3Command(), reply));
    ASSERT_EQ(Run({"controller", "wrong-ack"}), 0);
    ASSERT_TRUE(tavrex::SendControllerCommand(*device, tavrex::MakeEt3Command(), reply));
    EXPECT_NE(reply[1], tavrex::kAckByte);
    ASSERT_EQ(Run({"controller", "answering"}), 0);
    ASSERT_TRUE(tavrex::SendControllerCommand(*device, tavrex::MakeEt3Command(), reply));
    EXPECT_EQ(reply[1], tavrex::kAckByte);
}

TEST_F(TavrexctlTest, FullTouchQueueIsARefusal) {
    for (std::uint32_t i = 0; i < standin::ProtocolCore::kTouchQueueSize; ++i) ASSERT_EQ(Run({"touch", "1", "1"}), 0);
    EXPECT_EQ(Run({"touch", "1", "1"}), tavrexctl::kExitRefused);
    EXPECT_NE(err.find("touch"), std::string::npos);
}

TEST_F(TavrexctlTest, CalibrationLinearityAndBeepPrintWhatTheDriverHolds) {
    tavrex::CalibrationRecord record{};
    for (int field = 0; field < 17; ++field) tavrex::SetRecordField(record, field, field * 11 - 50);
    ASSERT_TRUE(tavrex::SetCalibration(*device, record));
    ASSERT_EQ(Run({"calibration"}), 0) << err;
    EXPECT_EQ(out, "-50 -39 -28 -17 -6 5 16 27 38 49 60 71 82 93 104 115 126\n");

    ASSERT_TRUE(tavrex::SendControllerCommand(*device, tavrex::MakeSpCommand({0x0B, 0xB8, 0x02, 0x58}), nullptr));
    ASSERT_EQ(Run({"linearity"}), 0) << err;
    EXPECT_EQ(out, "3000 600\n");

    ASSERT_TRUE(tavrex::SetBeep(*device, tavrex::BeepRecord{2, 4000, 750, 4294967295u, 7}));
    ASSERT_EQ(Run({"beep"}), 0) << err;
    EXPECT_EQ(out, "2 4000 750 4294967295 7\n");
    EXPECT_EQ(Run({"beep", "now"}), tavrexctl::kExitUsage);
}

TEST_F(TavrexctlTest, LogListsRequestsWithTheirInputUntilCleared) {
    ASSERT_EQ(Run({"log", "--clear"}), 0);
    std::uint32_t state = 0;
    ASSERT_TRUE(tavrex::GetDriverState(*device, state));
    std::uint8_t reply[tavrex::kAckReplyLength] = {};
    ASSERT_TRUE(tavrex::SendControllerCommand(*device, tavrex::MakeEt3Command(), reply));
    ASSERT_EQ(Run({"touch", "1", "2"}), 0);  // test-only: never in the log

    ASSERT_EQ(Run({"log"}), 0) << err;
    EXPECT_EQ(out,
              "0x000F26A0\n"
              "0x000F2688 01 45 54 33 0D 00 00 00 00 00 00 00 00 00 00 00 05 00 00 00 03 00 00 00 41 7C 00 00 00 00 00 "
              "00\n");

    ASSERT_EQ(Run({"log", "--clear"}), 0);
    ASSERT_EQ(Run({"log"}), 0);
    EXPECT_EQ(out, "");
}

TEST_F(TavrexctlTest, MapPlacesARawTouchOnTheDesktopUnderTheCalibrationInForce) {
    // An upright panel: raw 1000..3000 spans the middle half of a 1024-pixel-wide area.
    tavrex::CalibrationRecord record{};
    record.Xc = 2000;
    record.Yc = 1900;
    record.XL = 4000;
    record.YL = 4000;
    ASSERT_TRUE(tavrex::SetCalibration(*device, record));
    ASSERT_EQ(Run({"map", "1000", "900"}), tavrexctl::kExitOk) << err;
    EXPECT_EQ(out, "256 192\n");

    // On the right half of a spanning display the point lands in that half.
    desktop.monitors = {{"\\\\.\\DISPLAY1", {0, 0, 2048, 768}, true}};
    {
        auto lock = devices.lock();
        registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath).values["ScreenPost"] = 18u;
    }
    devices.restart();
    ASSERT_TRUE(tavrex::SetCalibration(*device, record));
    ASSERT_EQ(Run({"map", "3000", "2900"}), tavrexctl::kExitOk) << err;
    EXPECT_EQ(out, "1792 576\n");

    record.XL = 0;
    ASSERT_TRUE(tavrex::SetCalibration(*device, record));
    EXPECT_EQ(Run({"map", "1", "2"}), tavrexctl::kExitRefused);
    EXPECT_EQ(Run({"map", "1"}), tavrexctl::kExitUsage);
}

}  // namespace
