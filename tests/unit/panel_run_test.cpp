#include <gtest/gtest.h>

#include "driver/requests.h"
#include "tests/unit/panel_fixture.h"

namespace {

using paneltest::kControlPanel;
using paneltest::kErrorBox;
using paneltest::PanelFixture;
using platform::RootKey;

struct PanelRun : ::testing::Test {
    void SetUp() override {
        paneltest::FreshModuleBuffers();
        f.parameters().values = {{"BeepMode", 1u},  {"BeepFreq1", 3000u}, {"BeepTime1", 100u}, {"Port", 2u},
                                 {"MouseMode", 0u}, {"ScreenPost", 17u},  {"RBNDelay", 96u}};
        f.mouse().values = {{"DoubleClickSpeed", std::string("500")}, {"DoubleClickHeight", std::string("4")}};
        f.devices.restart();
    }
    std::int32_t Run(panel::CTouchApplet& applet) { return applet.OnDblClk(kControlPanel, 0, 0); }
    std::size_t WritesTo(const char* path) {
        std::size_t count = 0;
        for (const auto& w : f.registry.writes()) count += w.path == path;
        return count;
    }
    PanelFixture f;
};

TEST_F(PanelRun, AFilteredAdministratorTokenReopensThePanelElevatedInsteadOfRunningIt) {
    f.token.type = panel::TokenElevation::Limited;
    panel::CTouchApplet applet(f.seams());
    EXPECT_EQ(Run(applet), 0);
    const paneltest::RecordingPrograms::ShellStart reopen{
        kControlPanel, u"runas", u"C:\\Windows\\SysWOW64\\rundll32.exe",
        u"shell32.dll,Control_RunDLL \"C:\\Windows\\SysWOW64\\lintara.cpl\"", 1};
    EXPECT_EQ(f.programs.shellStarted, std::vector{reopen});
    // Before the driver: the elevated panel holds it alone.
    EXPECT_TRUE(f.devices.opens.empty());
    EXPECT_EQ(f.runner.runs, 0);

    // A declined consent, or a path the shell cannot be given, runs the panel here as it always ran.
    f.programs.shellStarts = panel::StartResult::Cancelled;
    EXPECT_EQ(Run(applet), 0);
    f.programs.shellStarts = panel::StartResult::Started;
    f.module.modulePath = u"C:\\a\"b.cpl";
    EXPECT_EQ(Run(applet), 0);
    EXPECT_EQ(f.programs.shellStarted.size(), 2u);
    EXPECT_EQ(f.runner.runs, 2);
    // Elevated, or without a split token, it never re-opens.
    for (auto type : {panel::TokenElevation::Full, panel::TokenElevation::Default}) {
        f.token.type = type;
        EXPECT_EQ(Run(applet), 0);
    }
    EXPECT_EQ(f.programs.shellStarted.size(), 2u);
    EXPECT_EQ(f.runner.runs, 4);
}

TEST(PanelReopen, TheCommandStaysInItsBuffers) {
    panel::ShellCommand command;
    const std::u16string longest(panel::ShellCommand::kSize - 1 - 29, u'x');  // with the 29 units around it
    EXPECT_TRUE(panel::ComposeReopenCommand(u"S", longest.c_str(), command));
    EXPECT_EQ(std::u16string(command.parameters), u"shell32.dll,Control_RunDLL \"" + longest + u"\"");
    EXPECT_FALSE(panel::ComposeReopenCommand(u"S", (longest + u"x").c_str(), command));
    EXPECT_FALSE(panel::ComposeReopenCommand(u"", u"C:\\l.cpl", command));
    EXPECT_FALSE(panel::ComposeReopenCommand(u"S", u"", command));
}

TEST_F(PanelRun, DriverInstalledButNotLoadedAsksForARestart) {
    f.devices.present = false;
    panel::CTouchApplet applet(f.seams());
    EXPECT_EQ(Run(applet), 0);

    ASSERT_EQ(f.devices.opens.size(), 1u);
    EXPECT_EQ(f.devices.opens[0].path, "\\\\.\\tavrex");
    EXPECT_EQ(f.devices.opens[0].shareMode, 0u);
    ASSERT_EQ(f.appletOpens().size(), 1u);
    EXPECT_EQ(f.appletOpens()[0].path, tavrex::kParametersKeyPath);
    EXPECT_EQ(f.appletOpens()[0].access, platform::kKeyAllAccess);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].owner, kControlPanel);
    EXPECT_EQ(f.messages.shown[0].text, "驱动安装完成后，必须重启系统，才能成功加载驱动。多谢合作！");
    EXPECT_EQ(f.messages.shown[0].caption, "提示");
    EXPECT_EQ(f.messages.shown[0].flags, platform::kMbOk);
    EXPECT_EQ(f.runner.runs, 0);
    EXPECT_TRUE(f.registry.writes().empty());
    EXPECT_TRUE(f.doubleClickTime.sets.empty());
}

TEST_F(PanelRun, DriverMissingOrItsKeyNotOursSaysNotInstalled) {
    for (bool keyExists : {false, true}) {
        PanelFixture g;
        g.devices.present = false;
        if (keyExists) g.registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
        panel::CTouchApplet applet(g.seams());
        EXPECT_EQ(applet.OnDblClk(kControlPanel, 0, 0), 0);
        ASSERT_EQ(g.messages.shown.size(), 1u);
        EXPECT_EQ(g.messages.shown[0].owner, kControlPanel);
        EXPECT_EQ(g.messages.shown[0].text, "驱动未安装。");
        EXPECT_EQ(g.messages.shown[0].caption, "错误");
        EXPECT_EQ(g.messages.shown[0].flags, kErrorBox);
        EXPECT_EQ(g.runner.runs, 0);
        EXPECT_TRUE(g.registry.writes().empty());
    }
}

TEST_F(PanelRun, AFailingStateRequestSaysNotInstalledAndClosesTheDevice) {
    f.devices.core().setFailingRequest(tavrex::REQ_GET_DRIVER_STATE);
    panel::CTouchApplet applet(f.seams());
    EXPECT_EQ(Run(applet), 0);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "驱动未安装。");
    EXPECT_EQ(f.messages.shown[0].owner, kControlPanel);
    EXPECT_EQ(f.messages.shown[0].flags, kErrorBox);
    EXPECT_EQ(f.devices.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE}) << "and nothing after it";
    EXPECT_EQ(f.devices.live(), 0);
    EXPECT_EQ(applet.DriverHandle, nullptr);
    EXPECT_EQ(f.runner.runs, 0);
}

TEST_F(PanelRun, AnUpdatedDriverAsksForARestartAndHearsNothingElse) {
    f.devices.core().setStateCurrent(false);
    panel::CTouchApplet applet(f.seams());
    EXPECT_EQ(Run(applet), 0);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "驱动已经更新，必须重新启动系统，才能正常使用触摸屏。多谢合作！");
    EXPECT_EQ(f.messages.shown[0].caption, "提示");
    EXPECT_EQ(f.messages.shown[0].flags, platform::kMbOk);
    EXPECT_EQ(f.messages.shown[0].owner, kControlPanel);
    EXPECT_EQ(f.devices.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE});
    EXPECT_EQ(f.devices.live(), 0);
    EXPECT_EQ(f.runner.runs, 0);
    EXPECT_TRUE(f.registry.writes().empty());
}

TEST_F(PanelRun, OkCopiesInAndBackSavesAndSetsTheDoubleClickTime) {
    panel::CTouchApplet applet(f.seams());
    f.runner.result = 1;
    f.runner.whileShown = [&](platform::WindowId parent, panel::CPanelDlg& dialog) {
        EXPECT_EQ(parent, kControlPanel);
        EXPECT_EQ(dialog.parent(), kControlPanel);
        // Only the state request so far; the driver handle is open and shared with the beep page.
        EXPECT_EQ(f.devices.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE});
        ASSERT_NE(dialog.DriverHandle, nullptr);
        EXPECT_EQ(dialog.DriverHandle, applet.DriverHandle.get());
        EXPECT_EQ(dialog.tabPage2.driverHandle, applet.DriverHandle.get());
        EXPECT_EQ(dialog.tabPage2.modeIndex, 1);
        EXPECT_EQ(dialog.tabPage2.frequency, 3000);
        EXPECT_EQ(dialog.tabPage2.duration, 100);
        EXPECT_EQ(dialog.tabPage3.modeIndex, 0);
        EXPECT_EQ(dialog.tabPage3.doubleClickArea, 4);
        EXPECT_EQ(dialog.tabPage3.doubleClickSpeed, 500);
        EXPECT_EQ(dialog.tabPage3.rightClickDelay, 96u);
        EXPECT_EQ(dialog.tabPage4.Port, 2);
        EXPECT_EQ(dialog.screenPos.ScreenPost, 17u);
        EXPECT_TRUE(f.registry.writes().empty());

        dialog.tabPage2.modeIndex = 2;
        dialog.tabPage2.frequency = 4500;
        dialog.tabPage2.duration = 700;
        dialog.tabPage3.modeIndex = 3;
        dialog.tabPage3.doubleClickArea = 30;
        dialog.tabPage3.doubleClickSpeed = 650;
        dialog.tabPage3.rightClickDelay = 490;
        dialog.tabPage4.Port = 5;
        dialog.screenPos.ScreenPost = 38;
    };
    EXPECT_EQ(Run(applet), 0);

    auto& p = f.parameters().values;
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepMode"]), 2u);
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepFreq1"]), 4500u);
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepFreq2"]), 4500u);
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepTime1"]), 700u);
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepTime2"]), 700u);
    EXPECT_EQ(std::get<std::uint32_t>(p["MouseMode"]), 3u);
    EXPECT_EQ(std::get<std::uint32_t>(p["Port"]), 5u);
    EXPECT_EQ(std::get<std::uint32_t>(p["ScreenPost"]), 38u);
    EXPECT_EQ(std::get<std::uint32_t>(p["RBNDelay"]), 490u);
    auto& m = f.mouse().values;
    EXPECT_EQ(std::get<std::string>(m["DoubleClickHeight"]), "30");
    EXPECT_EQ(std::get<std::string>(m["DoubleClickWidth"]), "30");
    EXPECT_EQ(std::get<std::string>(m["DoubleClickSpeed"]), "650");
    EXPECT_EQ(f.doubleClickTime.sets, std::vector<std::uint32_t>{650});

    // The reload comes last, after the save: the driver read the new values when it heard it.
    EXPECT_EQ(f.devices.codes(),
              (std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_RELOAD_SETTINGS}));
    EXPECT_EQ(f.devices.core().screenPosition(), 38u);
    EXPECT_EQ(f.devices.core().beep().frequency, 4500u);
    EXPECT_EQ(f.devices.live(), 0);
    EXPECT_EQ(applet.DriverHandle, nullptr);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(PanelRun, UntouchedPagesGiveEverySettingBackUnchanged) {
    f.parameters().values["BeepFreq2"] = 1111u;
    f.parameters().values["Port"] = 12u;
    f.parameters().values["ScreenPost"] = 99u;
    panel::CTouchApplet applet(f.seams());
    f.runner.result = 1;
    Run(applet);
    auto& p = f.parameters().values;
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepFreq2"]), 3000u);
    EXPECT_EQ(std::get<std::uint32_t>(p["BeepTime2"]), 100u);
    EXPECT_EQ(std::get<std::uint32_t>(p["Port"]), 12u);
    EXPECT_EQ(std::get<std::uint32_t>(p["ScreenPost"]), 99u);
    EXPECT_EQ(std::get<std::uint32_t>(p["RBNDelay"]), 96u);
    EXPECT_EQ(std::get<std::string>(f.mouse().values["DoubleClickHeight"]), "4");
}

TEST_F(PanelRun, CancelOrNoDialogStoresNothingButStillTellsTheDriver) {
    for (int result : {2, -1, 0}) {
        PanelFixture g;
        g.parameters().values = {{"BeepFreq1", 3000u}};
        g.mouse();
        g.runner.result = result;
        g.runner.whileShown = [](platform::WindowId, panel::CPanelDlg& dialog) { dialog.tabPage2.frequency = 4000; };
        panel::CTouchApplet applet(g.seams());
        EXPECT_EQ(applet.OnDblClk(kControlPanel, 0, 0), 0);
        EXPECT_TRUE(g.registry.writes().empty()) << result;
        EXPECT_TRUE(g.doubleClickTime.sets.empty()) << result;
        EXPECT_EQ(applet.BeepFreq1, 3000u) << result;
        EXPECT_EQ(g.devices.codes(),
                  (std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_RELOAD_SETTINGS}));
        EXPECT_EQ(g.devices.live(), 0);
    }
}

TEST_F(PanelRun, OkWithTheDriversKeyReadOnlyStillWritesMouseSetsTimeAndReloads) {
    f.registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    panel::CTouchApplet applet(f.seams());
    f.runner.result = 1;
    Run(applet);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "写注册表失败");
    EXPECT_EQ(f.messages.shown[0].owner, 0u);
    EXPECT_EQ(WritesTo(tavrex::kParametersKeyPath), 0u);
    EXPECT_EQ(WritesTo(panel::kMouseKeyPath), 3u);
    EXPECT_EQ(f.doubleClickTime.sets, std::vector<std::uint32_t>{500});
    EXPECT_EQ(f.devices.codes().back(), tavrex::REQ_RELOAD_SETTINGS);
}

TEST_F(PanelRun, LoadMessagesComeBeforeThePanelWithoutAnOwner) {
    f.registry.removeKey(RootKey::CurrentUser, panel::kMouseKeyPath);
    std::size_t messagesWhenShown = 99;
    f.runner.whileShown = [&](platform::WindowId, panel::CPanelDlg&) { messagesWhenShown = f.messages.shown.size(); };
    f.runner.result = 2;
    panel::CTouchApplet applet(f.seams());
    Run(applet);
    EXPECT_EQ(messagesWhenShown, 1u);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].owner, 0u);
    EXPECT_EQ(f.messages.shown[0].text, "打开注册表键 HKEY_CURRENT_USER 失败!");
}

TEST_F(PanelRun, EachRunOpensAndClosesOnceAndStartsFromTheRegistry) {
    panel::CTouchApplet applet(f.seams());
    f.runner.result = 2;
    int seen = 0;
    f.runner.whileShown = [&](platform::WindowId, panel::CPanelDlg& dialog) {
        EXPECT_EQ(f.devices.live(), 1);
        EXPECT_EQ(dialog.tabPage2.frequency, 3000) << "run " << seen;
        dialog.tabPage2.frequency = 4900;
        ++seen;
    };
    Run(applet);
    Run(applet);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(f.devices.opens.size(), 2u);
    EXPECT_EQ(f.devices.live(), 0);
    EXPECT_EQ(f.devices.codes(),
              (std::vector<std::uint32_t>{tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_RELOAD_SETTINGS,
                                          tavrex::REQ_GET_DRIVER_STATE, tavrex::REQ_RELOAD_SETTINGS}));
}

}  // namespace
