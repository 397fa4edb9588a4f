#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/pages/calibrate_page.h"
#include "panel/resource_ids.h"
#include "tests/unit/page_host.h"
#include "tests/unit/panel_fixture.h"

namespace {

using paneltest::PanelFixture;
using platform::RootKey;

constexpr platform::WindowId kPage = 0x7AB1;

struct PanelCalibrate : ::testing::Test {
    panel::TabPage1 MakePage() {
        return panel::TabPage1(panel::CalibrateSeams{.registry = f.registry,
                                                     .programs = f.programs,
                                                     .messageBoxes = f.messages,
                                                     .module = f.module,
                                                     .token = f.token});
    }
    fakes::FakeRegistry::Key& key() { return f.registry.addKey(RootKey::LocalMachine, panel::kCalibratorKeyPath); }
    // The command line a click starts, or u"" when it starts nothing. The program is the quoted path.
    std::u16string Click() {
        panel::TabPage1 page = MakePage();
        paneltest::PageHost host(page);
        host.open(kPage);
        const std::size_t before = f.programs.started.size();
        host.click(IDC_CALIBRATE);
        if (f.programs.started.size() == before) return u"";
        const auto& start = f.programs.started.back();
        EXPECT_EQ(start.showState, 10);
        EXPECT_EQ(u'"' + start.program + u'"', start.commandLine);
        return start.commandLine;
    }
    void ExpectRefusal(std::size_t count) {
        ASSERT_EQ(f.messages.shown.size(), count);
        for (const auto& shown : f.messages.shown) {
            EXPECT_EQ(shown.owner, kPage);
            EXPECT_EQ(shown.text, "Can't fine brennick.exe file.");
            EXPECT_EQ(shown.caption, "lintara");
            EXPECT_EQ(shown.flags, platform::kMbOk);
        }
    }
    PanelFixture f;
};

TEST_F(PanelCalibrate, AFolderWithBlanksStartsExactlyItsCalibrator) {
    key().values["FilePath"] = std::string("C:\\Program Files\\Tavrex");
    EXPECT_EQ(Click(), u"\"C:\\Program Files\\Tavrex\\brennick.exe\"");
    // A folder named in any script is started as Windows stores its name.
    key().values["FilePath"] = std::u16string(u"C:\\触摸屏工具\\タッチ");
    EXPECT_EQ(Click(), u"\"C:\\触摸屏工具\\タッチ\\brennick.exe\"");
    ASSERT_EQ(f.appletOpens().size(), 2u);
    EXPECT_EQ(f.appletOpens()[0].path, "Software\\Manufacturer\\Tavrex");
    EXPECT_EQ(f.appletOpens()[0].access, platform::kKeyQueryValue);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(PanelCalibrate, ATrailingBackslashIsKeptWhileNoFolderOrAFailedStartIsReported) {
    key().values["FilePath"] = std::string("D:\\Tools\\");
    EXPECT_EQ(Click(), u"\"D:\\Tools\\\\brennick.exe\"");
    EXPECT_TRUE(f.messages.shown.empty());
    // Missing, not text, empty: nothing is started, least of all the program at the drive's root.
    key().values.erase("FilePath");
    EXPECT_EQ(Click(), u"");
    key().values["FilePath"] = 0x545C3A43u;  // "C:\T" as a REG_DWORD
    EXPECT_EQ(Click(), u"");
    key().values["FilePath"] = std::string();
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(3);
    f.programs.starts = panel::StartResult::Failed;
    key().values["FilePath"] = std::string("C:\\Empty");
    EXPECT_EQ(Click(), u"\"C:\\Empty\\brennick.exe\"");
    ExpectRefusal(4);
}

TEST_F(PanelCalibrate, ACalibratorThatNeedsConsentIsStartedThroughItFromTheSameFolder) {
    key().values["FilePath"] = std::u16string(u"C:\\触摸屏工具");
    f.programs.starts = panel::StartResult::ElevationRequired;
    EXPECT_EQ(Click(), u"\"C:\\触摸屏工具\\brennick.exe\"");
    const paneltest::RecordingPrograms::ShellStart consent{kPage, u"open", u"C:\\触摸屏工具\\brennick.exe", u"(none)",
                                                           10};
    EXPECT_EQ(f.programs.shellStarted, std::vector{consent});
    // A declined consent is the user's answer; a start that fails otherwise says so, as any failed start does.
    f.programs.shellStarts = panel::StartResult::Cancelled;
    Click();
    EXPECT_TRUE(f.messages.shown.empty());
    for (auto failure : {panel::StartResult::Failed, panel::StartResult::ElevationRequired}) {
        f.programs.shellStarts = failure;
        Click();
    }
    ExpectRefusal(2);
    EXPECT_EQ(f.programs.shellStarted.size(), 4u);
}

TEST_F(PanelCalibrate, TheButtonShowsTheShieldOnlyForATokenAConsentCanElevate) {
    for (auto [type, shield] : {std::pair{panel::TokenElevation::Default, false},
                                {panel::TokenElevation::Full, false},
                                {panel::TokenElevation::Limited, true}}) {
        f.token.type = type;
        panel::TabPage1 page = MakePage();
        paneltest::PageHost host(page);
        host.open(kPage);
        EXPECT_EQ(host.controls.buttons[IDC_CALIBRATE].shield, shield) << static_cast<int>(type);
    }
}

TEST_F(PanelCalibrate, WithoutTheKeyEveryClickShowsTheMessageAndStartsNothing) {
    EXPECT_EQ(Click(), u"");
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(2);
    f.registry.grant(RootKey::LocalMachine, panel::kCalibratorKeyPath, platform::kKeySetValue);
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(3);
}

TEST_F(PanelCalibrate, TheCommandLineNeverLeavesItsBuffer) {
    // 1 quote + 244 + "\brennick.exe" (13) + 1 quote + terminator = 260 units: the longest folder that fits.
    const std::u16string longest = u"C:\\" + std::u16string(241, u'触');
    key().values["FilePath"] = longest;
    EXPECT_EQ(Click(), u"\"" + longest + u"\\brennick.exe\"");
    EXPECT_EQ(f.programs.started.back().commandLine.size(), 259u);

    key().values["FilePath"] = longest + u"b";
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(1);

    // The whole buffer filled but for the terminator.
    key().values["FilePath"] = std::string(258, 'x');
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(2);

    // Longer than the buffer: not read at all.
    key().values["FilePath"] = std::string(400, 'y');
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(3);
    EXPECT_EQ(f.programs.started.size(), 1u);
}

TEST_F(PanelCalibrate, AQuoteInTheFolderCannotSmuggleArguments) {
    key().values["FilePath"] = std::string("C:\\x\" /evil \"");
    EXPECT_EQ(Click(), u"");
    ExpectRefusal(1);
}

TEST_F(PanelCalibrate, OnlyAClickOnTheCalibrateButtonStarts) {
    key().values["FilePath"] = std::string("C:\\T");
    panel::TabPage1 page = MakePage();
    page.onCommand(IDC_CALIBRATE, ui::kSelectionChanged);
    page.onCommand(4003, ui::kButtonClicked);
    EXPECT_TRUE(f.programs.started.empty());
    page.onCommand(IDC_CALIBRATE, ui::kButtonClicked);
    EXPECT_EQ(f.programs.started.size(), 1u);
}

}  // namespace
