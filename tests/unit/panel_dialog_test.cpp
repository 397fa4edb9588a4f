#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/requests.h"
#include "panel/placement.h"
#include "panel/resource_ids.h"
#include "tests/unit/panel_fixture.h"

namespace {

using panel::PanelRect;
using panel::Placement;
using paneltest::PanelFixture;

constexpr platform::WindowId kSheet = 0x5EE7;

// Records what the dialog does to its window while it initialises.
class RecordingWindow : public panel::PanelWindow {
public:
    panel::Size desktop{1024, 768};
    platform::Rect placeholder{12, 20, 484, 352};
    // The template's window and what it holds as at 96 DPI: whole inside 440 by 380 with its frame.
    panel::Size window{482, 420}, client{476, 394};
    std::map<int, platform::Rect> controls{{1, {270, 325, 337, 350}}, {2, {364, 325, 431, 350}}};
    platform::WindowId sheetToCreate = kSheet;
    std::vector<std::string> calls;
    std::vector<int> sheetTemplates;
    const char* sheetCaption = "unset";
    int sheetStartPage = -1;

    panel::Size desktopClientSize() override {
        calls.push_back("desktop");
        return desktop;
    }
    void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override {
        calls.push_back(Text("move", left, top, width, height));
    }
    platform::WindowId createSheet(const panel::SheetDescription& sheet, std::uint32_t style,
                                   std::uint32_t exStyle) override {
        for (auto* page : sheet.pages) sheetTemplates.push_back(page->templateId());
        sheetCaption = sheet.caption;
        sheetStartPage = sheet.startPage;
        calls.push_back(Text("sheet", style, exStyle));
        return sheetToCreate;
    }
    void addSheetStyles(platform::WindowId sheet, std::uint32_t style, std::uint32_t exStyle) override {
        calls.push_back(Text("styles", sheet, style, exStyle));
    }
    platform::Rect controlRect(int controlId) override {
        calls.push_back(Text("rect", controlId));
        return controlId == IDC_SHEET_PLACEHOLDER ? placeholder : controls[controlId];
    }
    void moveSheet(platform::WindowId sheet, std::int32_t left, std::int32_t top) override {
        calls.push_back(Text("place", sheet, left, top));
    }
    panel::Size windowSize() override { return Log("size", window); }
    panel::Size clientSize() override { return Log("client", client); }
    platform::Rect tabControlRect(platform::WindowId sheet) override {
        return Log(Text("tabs", sheet), platform::Rect{14, 0, 430, 300});
    }
    platform::Rect virtualDesktop() override { return Log("screen", platform::Rect{0, 0, 1024, 768}); }

private:
    template <typename T>
    T Log(const std::string& call, T answer) {
        calls.push_back(call);
        return answer;
    }
    template <typename... Args>
    static std::string Text(const char* what, Args... args) {
        std::ostringstream out;
        out << what;
        ((out << ' ' << std::hex << args), ...);
        return out.str();
    }
};

TEST(PanelPlacement, EachCodeAtTwoDesktopSizes) {
    struct Row {
        std::uint32_t code;
        std::optional<Placement> at1024, at1366;
    };
    const Row rows[] = {
        {17, Placement{128, 192}, Placement{170, 192}},
        {18, Placement{640, 192}, Placement{853, 192}},
        {19, Placement{256, 96}, Placement{341, 96}},
        {20, Placement{256, 480}, Placement{341, 481}},
        {38, Placement{1280, 192}, Placement{1707, 192}},
        {16, std::nullopt, std::nullopt},
        {37, std::nullopt, std::nullopt},
        {0, std::nullopt, std::nullopt},
        {0x111, std::nullopt, std::nullopt},
        {0xFFFFFFFF, std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(panel::DialogPlacement(row.code, 1024, 768), row.at1024) << row.code;
        EXPECT_EQ(panel::DialogPlacement(row.code, 1366, 771), row.at1366) << row.code;
    }
    // Large desktops do not overflow.
    EXPECT_EQ(panel::DialogPlacement(38, INT32_MAX, INT32_MAX),
              (Placement{static_cast<std::int32_t>(5LL * INT32_MAX / 4), INT32_MAX / 4}));
}

TEST(PanelPlacement, TheMovedPanelGrowsToItsTemplateOnlyWhereItsControlsWouldBeCut) {
    // A frame of 6 by 26 pixels: the client area is 434 by 354 at the fixed size.
    const auto moved = [](Placement at, panel::Size window, platform::Rect control) {
        const panel::PanelMeasures measures{
            window, {window.width - 6, window.height - 26}, {control}, {0, 0, 1024, 768}};
        return MovedPanelRect(at, measures);
    };
    EXPECT_EQ(moved({640, 480}, {482, 420}, {14, 0, 434, 354}), (PanelRect{640, 480, 440, 380}));
    EXPECT_EQ(moved({128, 192}, {600, 522}, {270, 325, 337, 355}), (PanelRect{128, 192, 600, 522}));
    EXPECT_EQ(moved({128, 192}, {400, 300}, {-1, 0, 400, 300}), (PanelRect{128, 192, 440, 380}));
    // Shifted just enough to end inside the desktop, but never past its left or top edge.
    EXPECT_EQ(moved({640, 480}, {600, 522}, {14, 0, 560, 420}), (PanelRect{424, 246, 600, 522}));
    EXPECT_EQ(moved({256, 480}, {1100, 800}, {0, 0, 1000, 700}), (PanelRect{0, 0, 1100, 800}));
}

struct PanelDialog : ::testing::Test {
    void SetUp() override {
        f.parameters().values = {{"ScreenPost", 17u}};
        f.standin.restart();
    }
    PanelFixture f;
};

TEST_F(PanelDialog, InitialisationPlacesTheDialogThenBuildsAndPlacesTheSheet) {
    panel::CPanelDlg dialog(0x5150, f.seams());
    auto device = f.devices.open("\\\\.\\tavrex", 0);
    dialog.DriverHandle = device.get();
    RecordingWindow window;
    EXPECT_TRUE(dialog.OnInitDialog(window));

    EXPECT_EQ(f.standin.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_SCREEN_POSITION});
    EXPECT_EQ(window.calls, (std::vector<std::string>{"desktop", "size", "client", "move 80 c0 1b8 17c",
                                                      "sheet 50000000 0", "styles 5ee7 10000 10000", "rect fa5",
                                                      "place 5ee7 16 d", "rect 1", "rect 2", "tabs 5ee7", "screen"}));
    EXPECT_EQ(window.sheetTemplates, (std::vector<int>{107, 4001, 102, 106, 4011, 4006}));
    EXPECT_EQ(window.sheetCaption, nullptr);
    EXPECT_EQ(window.sheetStartPage, 0);

    // Large fonts: OK lies below 380 pixels, so the panel takes its template's size.
    RecordingWindow large;
    large.window = {600, 522};
    large.controls[1] = {337, 440, 421, 471};
    dialog.OnInitDialog(large);
    EXPECT_EQ(large.calls.back(), "move 80 c0 258 20a");
}

TEST_F(PanelDialog, UnmovedWithoutAHandleAFailedRequestOrASingleDisplay) {
    {
        panel::CPanelDlg dialog(0, f.seams());
        RecordingWindow window;
        dialog.OnInitDialog(window);
        EXPECT_TRUE(f.standin.codes().empty());
        EXPECT_EQ(window.calls[1], "sheet 50000000 0");
    }
    {
        f.standin.core().setVersionCurrent(false);  // an old driver refuses the request
        panel::CPanelDlg dialog(0, f.seams());
        auto device = f.devices.open("\\\\.\\tavrex", 0);
        dialog.DriverHandle = device.get();
        RecordingWindow window;
        dialog.OnInitDialog(window);
        EXPECT_EQ(f.standin.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_SCREEN_POSITION});
        EXPECT_EQ(window.calls[1], "sheet 50000000 0");
    }
    {
        f.parameters().values["ScreenPost"] = 37u;
        f.standin.restart();
        panel::CPanelDlg dialog(0, f.seams());
        auto device = f.devices.open("\\\\.\\tavrex", 0);
        dialog.DriverHandle = device.get();
        RecordingWindow window;
        dialog.OnInitDialog(window);
        EXPECT_EQ(window.calls[1], "sheet 50000000 0");
    }
}

TEST_F(PanelDialog, ASheetThatCannotBeCreatedIsNotTouched) {
    panel::CPanelDlg dialog(0, f.seams());
    RecordingWindow window;
    window.sheetToCreate = 0;
    EXPECT_TRUE(dialog.OnInitDialog(window));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"desktop", "sheet 50000000 0"}));
}

TEST_F(PanelDialog, PagesAreBuiltInOneOrderAndTabbedInAnother) {
    panel::CPanelDlg dialog(0, f.seams());
    std::vector<int> built;
    for (auto* page : dialog.constructionOrder()) built.push_back(page->templateId());
    EXPECT_EQ(built, (std::vector<int>{107, 4001, 102, 106, 4006, 4011}));
    std::vector<int> tabs;
    for (auto* page : dialog.tabOrder()) tabs.push_back(page->templateId());
    EXPECT_EQ(tabs, (std::vector<int>{107, 4001, 102, 106, 4011, 4006}));

    // Members are constructed in the order of their addresses and destroyed in the reverse order,
    // so the construction list must match the layout.
    const auto order = dialog.constructionOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(reinterpret_cast<std::uintptr_t>(order[i - 1]), reinterpret_cast<std::uintptr_t>(order[i])) << i;
    EXPECT_LT(reinterpret_cast<std::uintptr_t>(&dialog.DriverHandle), reinterpret_cast<std::uintptr_t>(&dialog.sheet));
    EXPECT_LT(reinterpret_cast<std::uintptr_t>(&dialog.sheet), reinterpret_cast<std::uintptr_t>(order[0]));
    EXPECT_EQ(panel::CPanelDlg::kTemplateId, IDD_PANEL);
    EXPECT_FALSE(dialog.tabPage1.hasWindow());
}

}  // namespace
