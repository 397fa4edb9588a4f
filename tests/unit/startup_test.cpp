#include "calibrator/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calibrator/texts.h"
#include "driver/requests.h"
#include "tests/unit/calibrator_fixture.h"

namespace {

using fakes::Shown;
using platform::RootKey;
using testing_support::CalibratorFixture;

std::string Hex(const std::string& bytes) {
    std::string out;
    char digits[4];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", c);
        out += digits;
    }
    return out;
}

class StartupTest : public CalibratorFixture {
protected:
    int Start(int showCommand = 5) {
        app = std::make_unique<calibrator::Calibrator>(seams());
        return calibrator::InitInstance(*app, showCommand);
    }
    // What the driver received, test-only requests excluded.
    std::vector<std::uint32_t> Requests() { return devices.codes(); }

    // Start-up refused with exactly this one message and no window.
    void ExpectRefusedWith(Shown::Kind kind, const char* text, const char* caption, std::uint32_t flags = 0) {
        ASSERT_EQ(Start(), 0);
        ASSERT_EQ(messages.shown.size(), 1u);
        const Shown& shown = messages.shown[0];
        EXPECT_EQ(shown.kind, kind);
        EXPECT_EQ(shown.owner, 0u) << "no window exists yet";
        EXPECT_EQ(Hex(shown.text), Hex(text));
        EXPECT_EQ(Hex(shown.caption), Hex(caption));
        EXPECT_EQ(shown.flags, flags);
        EXPECT_TRUE(windows.created.empty());
    }

    std::unique_ptr<calibrator::Calibrator> app;
};

TEST(CalibratorTexts, AreGbkBytesWithTheirLeadingBlanks) {
    EXPECT_EQ(Hex(calibrator::text::kError), "B4EDCEF3");
    EXPECT_EQ(Hex(calibrator::text::kPromptError), "20B4EDCEF3");
    EXPECT_EQ(Hex(calibrator::text::kNotice), "CCE1CABE");
    EXPECT_EQ(Hex(calibrator::text::kPromptNotice), "20CCE1CABE");
    EXPECT_EQ(Hex(calibrator::text::kNotInstalled), "C7FDB6AFCEB4B0B2D7B0A1A3");
    // The instruction line on the calibration screen, with its full-width punctuation and ASCII "ESC".
    EXPECT_EQ(Hex(calibrator::text::kInstruction),
              "C7EBB4A5C3FEB1EAD6BEC7F8D3F2A3ACD2AAC8A1CFFBA3ACC7EBB0B4455343BCFCCDCBB3F6A1A3");
    // Every text fits the prompt's 100-byte buffers with their terminating zero.
    for (const char* text :
         {calibrator::text::kRestartAfterInstall, calibrator::text::kRestartAfterUpdate,
          calibrator::text::kNoAdministrator, calibrator::text::kConfirmQuestion, calibrator::text::kInstruction})
        EXPECT_LT(std::string(text).size(), calibrator::kPromptBufferSize);
}

TEST_F(StartupTest, SecondInstanceBringsTheFirstToTheFrontSilently) {
    desktop.runningInstance = 0x77;
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(desktop.searches.at(0), (std::pair<std::string, std::string>{"TAVREXCALIBA", "TAVREX CALIBRAY"}));
    EXPECT_EQ(desktop.broughtToFront, std::vector<platform::WindowId>{0x77});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(devices.opens.empty()) << "the driver is not even opened";
}

TEST_F(StartupTest, DeviceMissingWithTheDriverKeyAsksForARestart) {
    devices.present = false;
    ExpectRefusedWith(Shown::Box, "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！", "提示",
                      platform::kMbOk);
    ASSERT_EQ(devices.opens.size(), 1u);
    EXPECT_EQ(devices.opens[0].path, "\\\\.\\tavrex");
    EXPECT_EQ(devices.opens[0].shareMode, platform::kFileShareRead | platform::kFileShareWrite);
    // The key is asked for with full access, so a user without rights is told it is not installed.
    EXPECT_EQ(registry.opens().back().path, tavrex::kParametersKeyPath);
    EXPECT_EQ(registry.opens().back().access, platform::kKeyAllAccess);
}

TEST_F(StartupTest, DeviceMissingWithoutAnOpenableKeySaysNotInstalled) {
    devices.present = false;
    registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    ExpectRefusedWith(Shown::Prompt, "驱动未安装，无法校正。", " 提示");

    messages.shown.clear();
    registry.removeKey(RootKey::LocalMachine, tavrex::kParametersKeyPath);
    messages.promptAnswers = {platform::kIdCancel};
    ExpectRefusedWith(Shown::Prompt, "驱动未安装，无法校正。", " 提示");
}

TEST_F(StartupTest, UpdatedDriverAsksForARestartAndNothingMoreIsSent) {
    {
        auto lock = devices.lock();
        devices.core().setStateCurrent(false);
    }
    ExpectRefusedWith(Shown::Box, "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！", "提示",
                      platform::kMbOk);
    EXPECT_EQ(Requests(), std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE});
}

TEST_F(StartupTest, StateRequestFailureSaysNotInstalled) {
    devices.core().setFailingRequest(tavrex::REQ_GET_DRIVER_STATE);
    ExpectRefusedWith(Shown::Prompt, "驱动未安装。", " 提示");
}

TEST_F(StartupTest, MissingRightsOnEitherKeyShowTheErrorBox) {
    registry.grant(RootKey::LocalMachine, tavrex::kServiceKeyPath, platform::kKeyRead);
    ExpectRefusedWith(Shown::Box, "该用户不具有管理员权限，无法打开校正程序。", "错误",
                      platform::kMbOk | platform::kMbIconError);

    messages.shown.clear();
    registry.grant(RootKey::LocalMachine, tavrex::kServiceKeyPath, 0xFFFFFFFF);
    registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    ExpectRefusedWith(Shown::Box, "驱动未安装，无法校正。", "错误", platform::kMbOk | platform::kMbIconError);
    // Start-up only opens the keys: nothing was written.
    EXPECT_TRUE(registry.writes().empty());
}

TEST_F(StartupTest, OldDriverWithoutScreenPositionIsTheWrongVersion) {
    {
        auto lock = devices.lock();
        devices.core().setVersionCurrent(false);
    }
    ExpectRefusedWith(Shown::Prompt, "已安装的驱动程序版本不正确。", " 提示");
    EXPECT_EQ(Requests(), (std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_GET_SCREEN_POSITION}));
}

TEST_F(StartupTest, WindowOrEventFailureRefusesWithoutAMessage) {
    windows.failCreate = true;
    EXPECT_EQ(Start(), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(screen.prepared, 0);

    windows.failCreate = false;
    threads.failEvent = true;
    EXPECT_EQ(Start(), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(windows.shows.empty()) << "the window is not shown when the event is missing";
}

TEST_F(StartupTest, HealthyStartOpensTheWindowOverTheAreaAndGreetsTheController) {
    registry.findKey(RootKey::LocalMachine, tavrex::kParametersKeyPath)->values["ScreenPost"] = 18u;
    desktop.monitors = {{"\\\\.\\DISPLAY1", {0, 0, 2048, 768}, true}};
    devices.restart();

    ASSERT_EQ(Start(3), 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(app->screenPosition, 18u);
    ASSERT_EQ(windows.created.size(), 1u);
    EXPECT_EQ(windows.created[0], (platform::Rect{1024, 0, 2048, 768}));
    EXPECT_EQ(app->layout.X1, 256);
    EXPECT_EQ(app->controllerMode, 1u);
    EXPECT_EQ(screen.prepared, 1);
    ASSERT_TRUE(app->startEvent);
    EXPECT_EQ(app->firstPaint, 1u);
    ASSERT_EQ(windows.shows.size(), 1u);
    EXPECT_EQ(windows.shows[0].showCommand, 3);
    EXPECT_EQ(Requests(), (std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_GET_SCREEN_POSITION,
                                                      tavrex::REQ_CONTROLLER_COMMAND, tavrex::REQ_CONTROLLER_COMMAND}));
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>{50});
}

TEST_F(StartupTest, RightsAreCheckedAfterTheStateRequestAndBeforeTheScreenPosition) {
    std::vector<std::pair<std::uint32_t, std::size_t>> requests;  // each with the keys opened before it
    devices.hook = [&](std::uint32_t code, const void*, void*, bool answered) {
        requests.emplace_back(code, registry.opens().size());
        return answered;
    };
    const std::size_t before = registry.opens().size();
    ASSERT_EQ(Start(), 1);
    ASSERT_EQ(registry.opens().size(), before + 2);
    EXPECT_EQ(registry.opens()[before].path, tavrex::kServiceKeyPath);
    EXPECT_EQ(registry.opens()[before].access, platform::kKeySetValue);
    EXPECT_EQ(registry.opens()[before + 1].path, tavrex::kParametersKeyPath);
    EXPECT_EQ(registry.opens()[before + 1].access, platform::kKeySetValue);
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[0], std::make_pair(tavrex::REQ_GET_DRIVER_STATE, before));
    EXPECT_EQ(requests[1], std::make_pair(tavrex::REQ_GET_SCREEN_POSITION, before + 2));

    // A refused check ends start-up before the screen position is asked for.
    devices.core().clearLog();
    registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(Requests(), std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE});
}

}  // namespace
