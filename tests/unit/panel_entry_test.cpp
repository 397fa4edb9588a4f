#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "panel/applet_base.h"
#include "panel/touch_applet.h"
#include "tests/unit/panel_fixture.h"

namespace {

using panel::NewCplInfo;
using paneltest::kControlPanel;
using paneltest::PanelFixture;

TEST(PanelEntry, EveryMessageGetsItsAnswer) {
    PanelFixture f;
    f.devices.present = false;  // a double click is refused at once
    panel::CTouchApplet applet(f.seams());
    ASSERT_EQ(panel::CurrentApplet, &applet);

    const struct {
        std::uint32_t message;
        std::int32_t result;
    } rows[] = {{0, 1}, {1, 1}, {2, 1},  {3, 0},  {4, 1},   {5, 0},         {6, 1},
                {7, 0}, {9, 0}, {10, 0}, {11, 1}, {200, 1}, {0xFFFFFFFF, 1}};
    for (const auto& row : rows) {
        EXPECT_EQ(panel::DispatchCplMessage(panel::CurrentApplet, kControlPanel, row.message, 0, 0), row.result)
            << "message " << row.message;
    }
    // Only the double click did anything: the one refusal, owned by the Control Panel window.
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].owner, kControlPanel);
    EXPECT_EQ(f.runner.runs, 0);
}

TEST(PanelEntry, InquireLeavesTheHostsRecordAsItWas) {
    PanelFixture f;
    panel::CTouchApplet applet(f.seams());
    unsigned char record[64];
    std::memset(record, 0xA5, sizeof record);
    unsigned char before[sizeof record];
    std::memcpy(before, record, sizeof record);
    EXPECT_EQ(panel::DispatchCplMessage(&applet, kControlPanel, panel::kCplInquire, 0,
                                        reinterpret_cast<std::intptr_t>(record)),
              0);
    EXPECT_EQ(std::memcmp(record, before, sizeof record), 0);
    EXPECT_TRUE(f.module.iconLoads.empty());
}

TEST(PanelEntry, NewInquireFillsNameDescriptionAndIcon) {
    PanelFixture f;
    panel::CTouchApplet applet(f.seams());
    NewCplInfo info;
    std::memset(static_cast<void*>(&info), 0xA5, sizeof info);
    EXPECT_EQ(panel::DispatchCplMessage(&applet, kControlPanel, panel::kCplNewInquire, 3,
                                        reinterpret_cast<std::intptr_t>(&info)),
              0);

    EXPECT_EQ(info.dwSize, sizeof(NewCplInfo));
    EXPECT_EQ(info.dwSize, sizeof(void*) == 4 ? 468u : 476u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwHelpContext, 0u);
    EXPECT_EQ(static_cast<std::intptr_t>(info.lData), 0);
    EXPECT_EQ(static_cast<std::uintptr_t>(info.hIcon), paneltest::kAppletIcon);
    EXPECT_EQ(f.module.iconLoads, std::vector<int>{4001});

    // UTF-16, terminated, and nothing but zeros after them.
    const std::u16string name = u"Tavrex 设置", description = u"Tavrex 控制面板";
    EXPECT_EQ(std::u16string(info.szName), name);
    EXPECT_EQ(std::u16string(info.szInfo), description);
    for (std::size_t i = name.size(); i < std::size(info.szName); ++i) EXPECT_EQ(info.szName[i], 0) << i;
    for (std::size_t i = description.size(); i < std::size(info.szInfo); ++i) EXPECT_EQ(info.szInfo[i], 0) << i;
    for (char16_t c : info.szHelpFile) EXPECT_EQ(c, 0);
}

TEST(PanelEntry, NewInquireWithoutARecordWritesNothingAndSaysSo) {
    PanelFixture f;
    panel::CTouchApplet applet(f.seams());
    EXPECT_EQ(panel::DispatchCplMessage(&applet, kControlPanel, panel::kCplNewInquire, 0, 0), 1);
    EXPECT_TRUE(f.module.iconLoads.empty());
}

TEST(PanelEntry, CurrentAppletFollowsTheAppletsLife) {
    PanelFixture f;
    {
        panel::CTouchApplet applet(f.seams());
        EXPECT_EQ(panel::CurrentApplet, &applet);
    }
    EXPECT_EQ(panel::CurrentApplet, nullptr);
    EXPECT_EQ(panel::DispatchCplMessage(panel::CurrentApplet, kControlPanel, panel::kCplInit, 0, 0), 0);
}

TEST(PanelEntry, ApplicationNameIsTheModulesBaseName) {
    EXPECT_EQ(panel::ApplicationNameFromPath("C:\\Windows\\System32\\lintara.cpl"), "lintara");
    EXPECT_EQ(panel::ApplicationNameFromPath("lintara.cpl"), "lintara");
    EXPECT_EQ(panel::ApplicationNameFromPath("C:\\my.dir\\lintara"), "lintara");
    EXPECT_EQ(panel::ApplicationNameFromPath("C:\\a.b\\lintara.old.cpl"), "lintara.old");
    // A GBK trail byte may be a backslash: it does not start a new name.
    EXPECT_EQ(panel::ApplicationNameFromPath("C:\\\x95\\x.cpl"), "\x95\\x");
}

}  // namespace
