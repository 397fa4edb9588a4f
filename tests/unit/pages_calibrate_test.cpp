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
        return panel::TabPage1(panel::CalibrateSeams{
            .registry = f.registry, .programs = f.programs, .messageBoxes = f.messages, .module = f.module});
    }
    fakes::FakeRegistry::Key& key() { return f.registry.addKey(RootKey::LocalMachine, panel::kCalibratorKeyPath); }
    // What a click starts, or "" when it starts nothing.
    std::string Click() {
        panel::TabPage1 page = MakePage();
        paneltest::PageHost host(page);
        host.open(kPage);
        const std::size_t before = f.programs.started.size();
        host.click(IDC_CALIBRATE);
        if (f.programs.started.size() == before) return "";
        EXPECT_EQ(f.programs.started.back().second, 10);
        return f.programs.started.back().first;
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
    EXPECT_EQ(Click(), "\"C:\\Program Files\\Tavrex\\brennick.exe\"");
    ASSERT_EQ(f.appletOpens().size(), 1u);
    EXPECT_EQ(f.appletOpens()[0].path, "Software\\Manufacturer\\Tavrex");
    EXPECT_EQ(f.appletOpens()[0].access, platform::kKeyQueryValue);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(PanelCalibrate, ATrailingBackslashIsKeptWhileNoFolderOrAFailedStartIsReported) {
    key().values["FilePath"] = std::string("D:\\Tools\\");
    EXPECT_EQ(Click(), "\"D:\\Tools\\\\brennick.exe\"");
    EXPECT_TRUE(f.messages.shown.empty());
    // Missing, not text, empty: nothing is started, least of all the program at the drive's root.
    key().values.erase("FilePath");
    EXPECT_EQ(Click(), "");
    key().values["FilePath"] = 0x545C3A43u;  // "C:\T" as a REG_DWORD
    EXPECT_EQ(Click(), "");
    key().values["FilePath"] = std::string();
    EXPECT_EQ(Click(), "");
    ExpectRefusal(3);
    f.programs.starts = false;
    key().values["FilePath"] = std::string("C:\\Empty");
    EXPECT_EQ(Click(), "\"C:\\Empty\\brennick.exe\"");
    ExpectRefusal(4);
}

TEST_F(PanelCalibrate, WithoutTheKeyEveryClickShowsTheMessageAndStartsNothing) {
    EXPECT_EQ(Click(), "");
    EXPECT_EQ(Click(), "");
    ExpectRefusal(2);
    f.registry.grant(RootKey::LocalMachine, panel::kCalibratorKeyPath, platform::kKeySetValue);
    EXPECT_EQ(Click(), "");
    ExpectRefusal(3);
}

TEST_F(PanelCalibrate, TheCommandLineNeverLeavesItsBuffer) {
    // 1 quote + 244 + "\brennick.exe" (13) + 1 quote + terminator = 260: the longest folder that fits.
    const std::string longest = "C:\\" + std::string(241, 'a');
    key().values["FilePath"] = longest;
    EXPECT_EQ(Click(), "\"" + longest + "\\brennick.exe\"");
    EXPECT_EQ(f.programs.started.back().first.size(), 259u);

    key().values["FilePath"] = longest + "b";
    EXPECT_EQ(Click(), "");
    ExpectRefusal(1);

    // The whole buffer filled but for the terminator.
    key().values["FilePath"] = std::string(258, 'x');
    EXPECT_EQ(Click(), "");
    ExpectRefusal(2);

    // Longer than the buffer: not read at all.
    key().values["FilePath"] = std::string(400, 'y');
    EXPECT_EQ(Click(), "");
    ExpectRefusal(3);
    EXPECT_EQ(f.programs.started.size(), 1u);
}

TEST_F(PanelCalibrate, AQuoteInTheFolderCannotSmuggleArguments) {
    key().values["FilePath"] = std::string("C:\\x\" /evil \"");
    EXPECT_EQ(Click(), "");
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
