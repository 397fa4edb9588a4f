#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/unit/panel_fixture.h"

namespace {

using fakes::FakeRegistry;
using paneltest::kErrorBox;
using paneltest::PanelFixture;
using platform::RootKey;

struct PanelSettings : ::testing::Test {
    void SetUp() override { paneltest::FreshModuleBuffers(); }
    PanelFixture f;
};

TEST_F(PanelSettings, LoadReadsEveryValueInOrderWithTheRightsItNeeds) {
    auto& p = f.parameters();
    p.values = {{"BeepMode", 1u},  {"BeepFreq1", 3000u}, {"BeepTime1", 100u}, {"Port", 4u},
                {"MouseMode", 2u}, {"ScreenPost", 18u},  {"RBNDelay", 96u},   {"BeepFreq2", 1234u}};
    f.mouse().values = {{"DoubleClickSpeed", std::string("500")}, {"DoubleClickHeight", std::string("4")}};
    panel::CTouchApplet applet(f.seams());
    const std::size_t before = f.registry.reads().size();  // the stand-in's own, when it loaded
    applet.LoadSettings();

    EXPECT_EQ(std::vector<std::string>(f.registry.reads().begin() + before, f.registry.reads().end()),
              (std::vector<std::string>{"BeepMode/4", "BeepFreq1/4", "BeepTime1/4", "Port/4", "MouseMode/4",
                                        "ScreenPost/4", "RBNDelay/4", "DoubleClickSpeed/5", "DoubleClickHeight/4"}));
    ASSERT_EQ(f.appletOpens().size(), 2u);
    EXPECT_EQ(f.appletOpens()[0].path, tavrex::kParametersKeyPath);
    EXPECT_EQ(f.appletOpens()[0].access, platform::kKeyQueryValue);
    EXPECT_EQ(f.appletOpens()[1].path, panel::kMouseKeyPath);
    EXPECT_EQ(f.appletOpens()[1].access, platform::kKeyAllAccess);

    EXPECT_EQ(applet.BeepMode, 1u);
    EXPECT_EQ(applet.BeepFreq1, 3000u);
    EXPECT_EQ(applet.BeepTime1, 100u);
    EXPECT_EQ(applet.BeepFreq2, 0u);  // never read
    EXPECT_EQ(applet.Port, 4);
    EXPECT_EQ(applet.MouseMode, 2u);
    EXPECT_EQ(applet.ScreenPost, 18u);
    EXPECT_EQ(applet.RBNDelay, 96u);
    EXPECT_EQ(applet.DoubleClickSpeed, 500);
    EXPECT_EQ(applet.DoubleClickHeight, 4);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_TRUE(f.registry.writes().empty());
}

TEST_F(PanelSettings, OutOfRangeValuesAreCorrectedAtTheirBounds) {
    struct Row {
        const char* name;
        std::uint32_t stored;
        std::uint32_t loaded;
    };
    const Row rows[] = {
        {"BeepFreq1", 999, 2000}, {"BeepFreq1", 1000, 1000}, {"BeepFreq1", 5000, 5000},    {"BeepFreq1", 5001, 2000},
        {"BeepFreq1", 0, 2000},   {"BeepTime1", 31, 32},     {"BeepTime1", 32, 32},        {"BeepTime1", 750, 750},
        {"BeepTime1", 751, 32},   {"BeepMode", 2, 2},        {"BeepMode", 3, 2},           {"BeepMode", 0xFFFFFFFF, 2},
        {"MouseMode", 3, 3},      {"MouseMode", 4, 3},       {"MouseMode", 0x80000000, 3},
    };
    for (const auto& row : rows) {
        PanelFixture g;
        g.parameters().values = {{"BeepFreq1", 2500u}, {"BeepTime1", 50u}, {"BeepMode", 1u}, {"MouseMode", 1u}};
        g.parameters().values[row.name] = row.stored;
        panel::CTouchApplet applet(g.seams());
        applet.LoadSettings();
        const std::uint32_t loaded = std::string(row.name) == "BeepFreq1"   ? applet.BeepFreq1
                                     : std::string(row.name) == "BeepTime1" ? applet.BeepTime1
                                     : std::string(row.name) == "BeepMode"  ? applet.BeepMode
                                                                            : applet.MouseMode;
        EXPECT_EQ(loaded, row.loaded) << row.name << " " << row.stored;
    }
}

TEST_F(PanelSettings, PortScreenPostAndDelayGoBackAsTheyCame) {
    for (std::uint32_t value : {0u, 7u, 99u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        PanelFixture g;
        g.parameters().values = {{"Port", value}, {"ScreenPost", value}, {"RBNDelay", value}};
        g.mouse();
        panel::CTouchApplet applet(g.seams());
        applet.LoadSettings();
        EXPECT_EQ(static_cast<std::uint32_t>(applet.Port), value);
        EXPECT_EQ(applet.ScreenPost, value);
        EXPECT_EQ(applet.RBNDelay, value);
        applet.SaveSettings();
        auto& stored = g.parameters().values;
        EXPECT_EQ(std::get<std::uint32_t>(stored["Port"]), value);
        EXPECT_EQ(std::get<std::uint32_t>(stored["ScreenPost"]), value);
        EXPECT_EQ(std::get<std::uint32_t>(stored["RBNDelay"]), value);
    }
}

TEST_F(PanelSettings, ParametersAreTakenAsFourRawBytesWhateverTheirType) {
    auto& p = f.parameters();
    p.values = {{"Port", std::vector<std::uint8_t>{3, 0, 0, 0}},     // binary, 4 bytes: taken
                {"ScreenPost", std::string("abc")},                  // text of 4 bytes with terminator: taken
                {"RBNDelay", std::vector<std::uint8_t>{1, 2}},       // shorter: field left as it was
                {"BeepFreq1", std::vector<std::uint8_t>(8, 0x11)}};  // longer: field left as it was
    panel::CTouchApplet applet(f.seams());
    applet.RBNDelay = 0xDDCCBBAA;
    applet.BeepFreq1 = 4000;
    applet.LoadSettings();
    EXPECT_EQ(applet.Port, 3);
    EXPECT_EQ(applet.ScreenPost, 0x00636261u);
    EXPECT_EQ(applet.RBNDelay, 0xDDCCBBAAu);
    EXPECT_EQ(applet.BeepFreq1, 4000u);
}

TEST_F(PanelSettings, MissingValuesKeepThePreviousRunsFields) {
    f.parameters().values = {{"Port", 5u}, {"ScreenPost", 17u}, {"BeepFreq1", 4000u}};
    panel::CTouchApplet applet(f.seams());
    applet.LoadSettings();
    f.parameters().values.clear();
    applet.LoadSettings();
    EXPECT_EQ(applet.Port, 5);
    EXPECT_EQ(applet.ScreenPost, 17u);
    EXPECT_EQ(applet.BeepFreq1, 4000u);
    EXPECT_EQ(applet.BeepTime1, 32u);  // 0 left from module load, then corrected
}

TEST_F(PanelSettings, UnreadableParametersGiveDefaultsAndOneMessage) {
    f.parameters().values = {{"ScreenPost", 38u}, {"RBNDelay", 490u}};
    f.mouse();
    panel::CTouchApplet applet(f.seams());
    applet.LoadSettings();  // a readable key first: these two survive what follows
    f.registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeySetValue);
    applet.BeepMode = 0;
    applet.LoadSettings();

    EXPECT_EQ(applet.BeepMode, 2u);
    EXPECT_EQ(applet.BeepFreq1, 2000u);
    EXPECT_EQ(applet.BeepTime1, 32u);
    EXPECT_EQ(applet.MouseMode, 3u);
    EXPECT_EQ(applet.Port, 1);
    EXPECT_EQ(applet.ScreenPost, 38u);
    EXPECT_EQ(applet.RBNDelay, 490u);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].owner, 0u);
    EXPECT_EQ(f.messages.shown[0].text, "读注册表失败");
    EXPECT_EQ(f.messages.shown[0].caption, "错误");
    EXPECT_EQ(f.messages.shown[0].flags, kErrorBox);
}

TEST_F(PanelSettings, WithoutAnyKeyBothMessagesAndAllDefaults) {
    panel::CTouchApplet applet(f.seams());
    applet.LoadSettings();
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0].text, "读注册表失败");
    EXPECT_EQ(f.messages.shown[1].text, "打开注册表键 HKEY_CURRENT_USER 失败!");
    EXPECT_EQ(f.messages.shown[1].owner, 0u);
    EXPECT_EQ(f.messages.shown[1].caption, "错误");
    EXPECT_EQ(f.messages.shown[1].flags, kErrorBox);
    EXPECT_EQ(applet.ScreenPost, 0u);
    EXPECT_EQ(applet.RBNDelay, 0u);
    EXPECT_EQ(applet.DoubleClickHeight, 40);
    EXPECT_EQ(applet.DoubleClickSpeed, 900);
}

TEST_F(PanelSettings, MouseValuesThatDoNotReadAsTextTakeTheirOwnFallbacks) {
    f.parameters();
    auto& mouse = f.mouse();
    panel::CTouchApplet applet(f.seams());

    // First run after module load, texts too long: the fallbacks, not the buffers' spaces taken as 0.
    mouse.values = {{"DoubleClickSpeed", std::string("12345")}, {"DoubleClickHeight", std::string("1234")}};
    applet.LoadSettings();
    EXPECT_EQ(applet.DoubleClickSpeed, 900);
    EXPECT_EQ(applet.DoubleClickHeight, 40);

    // The longest texts that fit.
    mouse.values = {{"DoubleClickSpeed", std::string("1234")}, {"DoubleClickHeight", std::string("123")}};
    applet.LoadSettings();
    EXPECT_EQ(applet.DoubleClickSpeed, 1234);
    EXPECT_EQ(applet.DoubleClickHeight, 123);

    // Too long, missing or of another type: that value's fallback alone, never the last text read.
    mouse.values = {{"DoubleClickSpeed", std::string("987654")}};
    panel::CTouchApplet second(f.seams());
    second.LoadSettings();
    EXPECT_EQ(second.DoubleClickSpeed, 900);
    EXPECT_EQ(second.DoubleClickHeight, 40);
    mouse.values = {{"DoubleClickSpeed", 500u}, {"DoubleClickHeight", std::string("7")}};
    second.LoadSettings();
    EXPECT_EQ(second.DoubleClickSpeed, 900);
    EXPECT_EQ(second.DoubleClickHeight, 7);

    // A shorter text overwrites only its own bytes; the conversion stops at its terminator.
    mouse.values = {{"DoubleClickSpeed", std::string("-7")}, {"DoubleClickHeight", std::string(" 9x")}};
    applet.LoadSettings();
    EXPECT_EQ(applet.DoubleClickSpeed, -7);
    EXPECT_EQ(applet.DoubleClickHeight, 9);

    // Texts without a digit: each its own fallback, not 0.
    mouse.values = {{"DoubleClickSpeed", std::string("")}, {"DoubleClickHeight", std::string("abc")}};
    applet.LoadSettings();
    EXPECT_EQ(applet.DoubleClickSpeed, 900);
    EXPECT_EQ(applet.DoubleClickHeight, 40);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(PanelSettings, SaveWritesEveryValueInOrderWithTheDecimalTexts) {
    f.parameters().values["BeepFreq2"] = 4444u;
    f.mouse();
    panel::CTouchApplet applet(f.seams());
    applet.BeepMode = 1;
    applet.BeepFreq1 = 3000;
    applet.BeepTime1 = 100;
    applet.BeepFreq2 = 3000;
    applet.BeepTime2 = 100;
    applet.Port = 3;
    applet.MouseMode = 2;
    applet.ScreenPost = 37;
    applet.RBNDelay = 48;
    applet.DoubleClickHeight = 4;
    applet.DoubleClickSpeed = 500;
    applet.SaveSettings();

    std::vector<std::pair<std::string, FakeRegistry::Value>> written;
    for (const auto& w : f.registry.writes()) written.emplace_back(w.name, w.value);
    const std::vector<std::pair<std::string, FakeRegistry::Value>> expected = {
        {"BeepMode", 1u},
        {"BeepFreq1", 3000u},
        {"BeepTime1", 100u},
        {"BeepFreq2", 3000u},
        {"BeepTime2", 100u},
        {"Port", 3u},
        {"MouseMode", 2u},
        {"ScreenPost", 37u},
        {"RBNDelay", 48u},
        {"DoubleClickHeight", std::string("4")},
        {"DoubleClickWidth", std::string("4")},
        {"DoubleClickSpeed", std::string("500")}};
    EXPECT_EQ(written, expected);
    ASSERT_GE(f.appletOpens().size(), 2u);
    EXPECT_EQ(f.appletOpens()[0].access, platform::kKeySetValue);
    EXPECT_EQ(f.appletOpens()[1].access, platform::kKeyAllAccess);

    // Stored with their terminators.
    auto key = f.registry.open(RootKey::CurrentUser, panel::kMouseKeyPath, platform::kKeyQueryValue);
    char buffer[16];
    std::uint32_t size = 0;
    ASSERT_TRUE(key->queryBytes("DoubleClickHeight", buffer, sizeof buffer, size));
    EXPECT_EQ(size, 2u);
    ASSERT_TRUE(key->queryBytes("DoubleClickWidth", buffer, sizeof buffer, size));
    EXPECT_EQ(size, 2u);
    ASSERT_TRUE(key->queryBytes("DoubleClickSpeed", buffer, sizeof buffer, size));
    EXPECT_EQ(size, 4u);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(PanelSettings, NegativeAndExtremeNumbersAreWrittenInTheirDecimalForm) {
    f.parameters();
    f.mouse();
    panel::CTouchApplet applet(f.seams());
    applet.DoubleClickHeight = -7;
    applet.DoubleClickSpeed = INT32_MIN;
    applet.SaveSettings();
    auto& mouse = f.mouse().values;
    EXPECT_EQ(std::get<std::string>(mouse["DoubleClickHeight"]), "-7");
    EXPECT_EQ(std::get<std::string>(mouse["DoubleClickWidth"]), "-7");
    EXPECT_EQ(std::get<std::string>(mouse["DoubleClickSpeed"]), "-2147483648");
}

TEST_F(PanelSettings, ReadOnlyParametersStillLetTheMouseValuesBeWritten) {
    f.parameters();
    f.mouse();
    f.registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    panel::CTouchApplet applet(f.seams());
    applet.DoubleClickHeight = 20;
    applet.DoubleClickSpeed = 200;
    applet.SaveSettings();

    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "写注册表失败");
    EXPECT_EQ(f.messages.shown[0].owner, 0u);
    EXPECT_EQ(f.messages.shown[0].caption, "错误");
    EXPECT_EQ(f.messages.shown[0].flags, kErrorBox);
    ASSERT_EQ(f.registry.writes().size(), 3u);
    for (const auto& w : f.registry.writes()) EXPECT_EQ(w.path, panel::kMouseKeyPath);
}

TEST_F(PanelSettings, AMissingMouseKeyStillLetsTheParametersBeWritten) {
    f.parameters();
    panel::CTouchApplet applet(f.seams());
    applet.SaveSettings();
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "打开注册表键 HKEY_CURRENT_USER 失败");
    EXPECT_EQ(f.messages.shown[0].flags, kErrorBox);
    EXPECT_EQ(f.registry.writes().size(), 9u);
}

TEST_F(PanelSettings, ASingleFailingWriteDoesNotStopTheOthers) {
    f.parameters().failingWrites = {"BeepTime1", "Port"};
    f.mouse().failingWrites = {"DoubleClickHeight"};
    panel::CTouchApplet applet(f.seams());
    applet.SaveSettings();
    std::vector<std::string> names;
    for (const auto& w : f.registry.writes()) names.push_back(w.name);
    EXPECT_EQ(names, (std::vector<std::string>{"BeepMode", "BeepFreq1", "BeepFreq2", "BeepTime2", "MouseMode",
                                               "ScreenPost", "RBNDelay", "DoubleClickWidth", "DoubleClickSpeed"}));
    EXPECT_TRUE(f.messages.shown.empty());
}

}  // namespace
