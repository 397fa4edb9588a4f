#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "driver/requests.h"
#include "panel/placement.h"
#include "panel/resource_ids.h"
#include "tests/unit/page_host.h"
#include "tests/unit/panel_fixture.h"

namespace {

using panel::PanelRect;
using panel::Placement;
using paneltest::PanelFixture;

constexpr platform::WindowId kSheet = 77;

// The dialog's window: resized by a move as a real one is, with a frame of 6 by 26 pixels. It logs, in
// order, what is done to it; questions are answered, not logged.
class FakePanelWindow : public panel::PanelWindow {
public:
    panel::Size desktop{1024, 768};
    platform::Rect placeholder{12, 20, 484, 352};
    // The template's window as at 96 DPI: whole inside 440 by 380 with its frame.
    panel::Size window{482, 420};
    std::map<int, platform::Rect> controls{{1, {270, 325, 337, 350}}, {2, {364, 325, 431, 350}}};
    platform::WindowId sheetToCreate = kSheet;
    std::vector<std::string> done;
    std::vector<ui::Page*> sheetPages;
    std::pair<std::uint32_t, std::uint32_t> sheetStyles;

    panel::Size desktopClientSize() override { return desktop; }
    void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override {
        window = {width, height};
        done.push_back(Text("move", left, top, width, height));
    }
    platform::WindowId createSheet(std::span<ui::Page* const> pages) override {
        sheetPages.assign(pages.begin(), pages.end());
        done.push_back("sheet");
        return sheetToCreate;
    }
    void addSheetStyles(platform::WindowId sheet, std::uint32_t style, std::uint32_t exStyle) override {
        sheetStyles = {style, exStyle};
        done.push_back(Text("styles", sheet));
    }
    platform::Rect controlRect(int controlId) override {
        return controlId == IDC_SHEET_PLACEHOLDER ? placeholder : controls[controlId];
    }
    void moveSheet(platform::WindowId sheet, std::int32_t left, std::int32_t top) override {
        done.push_back(Text("place", sheet, left, top));
    }
    panel::Size windowSize() override { return window; }
    panel::Size clientSize() override { return {window.width - 6, window.height - 26}; }
    platform::Rect tabControlRect(platform::WindowId) override { return {14, 0, 430, 300}; }
    platform::Rect virtualDesktop() override { return {0, 0, desktop.width, desktop.height}; }

private:
    template <typename... Args>
    static std::string Text(const char* what, Args... args) {
        std::ostringstream out;
        out << what;
        ((out << ' ' << args), ...);
        return out.str();
    }
};

// The sheet of a dialog that stays where Windows put it.
const std::vector<std::string> kUnmoved{"sheet", "styles 77", "place 77 22 13"};

// The controls of each dialog template of lintara.rc, by template and control id, with the control
// wrapper that fits each: "combo", "slider", "label" or "button".
std::map<int, std::map<int, std::string>> TemplateControls() {
    std::map<std::string, int> ids{{"IDOK", 1}, {"IDCANCEL", 2}};
    std::ifstream header(TAVREX_SOURCE_DIR "/panel/resource_ids.h");
    const std::regex define(R"(^#define (\w+) \(?(-?\d+)\)?)");
    std::smatch m;
    for (std::string line; std::getline(header, line);)
        if (std::regex_search(line, m, define)) ids[m[1]] = std::stoi(m[2]);

    const std::map<std::string, std::string> kinds{
        {"COMBOBOX", "combo"},  {"TRACKBAR_CLASS", "slider"}, {"LTEXT", "label"},       {"RTEXT", "label"},
        {"CTEXT", "label"},     {"Static", "label"},          {"PUSHBUTTON", "button"}, {"DEFPUSHBUTTON", "button"},
        {"GROUPBOX", "button"}, {"Button", "button"}};
    // A statement starts with its keyword and may go on over the lines that follow.
    const std::regex statement(R"(^\s*(LTEXT|RTEXT|CTEXT|PUSHBUTTON|DEFPUSHBUTTON|GROUPBOX|COMBOBOX|CONTROL)\b)");
    const std::regex control(R"(^\s*CONTROL\s+(?:"[^"]*"|\w+)\s*,\s*(\w+)\s*,\s*"?(\w+))");
    const std::regex other(R"(^\s*(\w+)\s+(?:"[^"]*"\s*,\s*)?(\w+))");
    std::map<int, std::map<int, std::string>> templates;
    std::map<int, std::string>* controls = nullptr;  // of the template being read
    std::string pending;
    auto take = [&] {
        if (std::regex_search(pending, m, control))
            (*controls)[ids.at(m[1])] = kinds.at(m[2]);
        else if (std::regex_search(pending, m, other))
            (*controls)[ids.at(m[2])] = kinds.at(m[1]);
        pending.clear();
    };
    std::ifstream rc(TAVREX_SOURCE_DIR "/panel/lintara.rc");
    for (std::string line; std::getline(rc, line);) {
        if (std::regex_search(line, m, std::regex(R"(^(\w+) DIALOGEX)"))) controls = &templates[ids.at(m[1])];
        const bool starts = std::regex_search(line, statement);
        if (!pending.empty() && (starts || line == "END")) take();
        if (starts || !pending.empty()) pending += line + " ";
    }
    return templates;
}

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
    EXPECT_EQ(moved({128, 192}, {600, 522}, {270, 325, 337, 355}), (PanelRect{128, 192, 600, 522}));
    EXPECT_EQ(moved({128, 192}, {400, 300}, {-1, 0, 400, 300}), (PanelRect{128, 192, 440, 380}));
    // Shifted just enough to end inside the desktop, but never past its left or top edge: at the fixed
    // size too, as on one 1024 by 768 display, where codes 18, 20 and 38 would reach past it.
    EXPECT_EQ(moved({640, 480}, {482, 420}, {14, 0, 434, 354}), (PanelRect{584, 388, 440, 380}));
    const std::pair<std::uint32_t, PanelRect> oneDisplay[] = {{17, {128, 192, 440, 380}},
                                                              {18, {584, 192, 440, 380}},
                                                              {19, {256, 96, 440, 380}},
                                                              {20, {256, 388, 440, 380}},
                                                              {38, {584, 192, 440, 380}}};
    for (const auto& [code, rect] : oneDisplay)
        EXPECT_EQ(moved(*panel::DialogPlacement(code, 1024, 768), {482, 420}, {14, 0, 434, 354}), rect) << code;
    EXPECT_EQ(moved({640, 480}, {600, 522}, {14, 0, 560, 420}), (PanelRect{424, 246, 600, 522}));
    EXPECT_EQ(moved({256, 480}, {1100, 800}, {0, 0, 1000, 700}), (PanelRect{0, 0, 1100, 800}));
}

struct PanelDialog : ::testing::Test {
    void SetUp() override {
        f.parameters().values = {{"ScreenPost", 17u}};
        f.devices.restart();
    }
    PanelFixture f;
};

TEST_F(PanelDialog, InitialisationPlacesTheDialogThenBuildsAndPlacesTheSheet) {
    panel::CPanelDlg dialog(0x5150, f.seams());
    auto device = f.devices.open("\\\\.\\tavrex", 0);
    dialog.DriverHandle = device.get();
    FakePanelWindow window;
    EXPECT_TRUE(dialog.OnInitDialog(window));

    EXPECT_EQ(f.devices.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_SCREEN_POSITION});
    // Code 17 on one 1024 by 768 display: the fixed size at the placement, before the sheet exists.
    EXPECT_EQ(window.done, (std::vector<std::string>{"move 128 192 440 380", "sheet", "styles 77", "place 77 22 13"}));
    // Tab leads from the dialog's buttons into the page: WS_TABSTOP and WS_EX_CONTROLPARENT.
    EXPECT_EQ(window.sheetStyles, (std::pair<std::uint32_t, std::uint32_t>{0x00010000, 0x00010000}));
    const auto tabs = dialog.pages();
    EXPECT_EQ(window.sheetPages, std::vector<ui::Page*>(tabs.begin(), tabs.end()));

    // Large fonts: OK lies below 380 pixels, so the panel takes the size its template gave the window
    // before the move.
    FakePanelWindow large;
    large.window = {600, 522};
    large.controls[1] = {337, 440, 421, 471};
    dialog.OnInitDialog(large);
    EXPECT_EQ(large.done.back(), "move 128 192 600 522");
}

TEST_F(PanelDialog, UnmovedWithoutAHandleAFailedRequestOrASingleDisplay) {
    {
        panel::CPanelDlg dialog(0, f.seams());
        FakePanelWindow window;
        dialog.OnInitDialog(window);
        EXPECT_TRUE(f.devices.codes().empty());
        EXPECT_EQ(window.done, kUnmoved);
    }
    {
        f.devices.core().setVersionCurrent(false);  // an old driver refuses the request
        panel::CPanelDlg dialog(0, f.seams());
        auto device = f.devices.open("\\\\.\\tavrex", 0);
        dialog.DriverHandle = device.get();
        FakePanelWindow window;
        dialog.OnInitDialog(window);
        EXPECT_EQ(f.devices.codes(), std::vector<std::uint32_t>{tavrex::REQ_GET_SCREEN_POSITION});
        EXPECT_EQ(window.done, kUnmoved);
    }
    {
        f.parameters().values["ScreenPost"] = 37u;
        f.devices.restart();
        panel::CPanelDlg dialog(0, f.seams());
        auto device = f.devices.open("\\\\.\\tavrex", 0);
        dialog.DriverHandle = device.get();
        FakePanelWindow window;
        dialog.OnInitDialog(window);
        EXPECT_EQ(window.done, kUnmoved);
    }
}

TEST_F(PanelDialog, ASheetThatCannotBeCreatedIsNotTouched) {
    panel::CPanelDlg dialog(0, f.seams());
    FakePanelWindow window;
    window.sheetToCreate = 0;
    EXPECT_TRUE(dialog.OnInitDialog(window));
    EXPECT_EQ(window.done, std::vector<std::string>{"sheet"});
}

// A page that names a control its template lacks, or names it as another kind, talks to nothing; a page
// on another page's template, or on the panel's, shows the wrong controls.
TEST_F(PanelDialog, EveryPageHasATemplateOfItsOwnWithEveryControlItTouchesAsThatKind) {
    const auto templates = TemplateControls();
    ASSERT_EQ(templates.at(IDD_PANEL).at(IDC_SHEET_PLACEHOLDER), "label");
    panel::CPanelDlg dialog(0, f.seams());
    std::size_t checked = 0;
    std::set<int> templateIds{IDD_PANEL};
    for (ui::Page* page : dialog.pages()) {
        SCOPED_TRACE(page->templateId());
        EXPECT_TRUE(templateIds.insert(page->templateId()).second);
        const std::map<int, std::string>& inTemplate = templates.at(page->templateId());
        paneltest::PageHost host(*page);
        host.open();
        for (const auto& [id, kind] : inTemplate) {
            page->onCommand(id, ui::kButtonClicked);
            page->onCommand(id, ui::kSelectionChanged);
            page->onScroll(id);
        }
        EXPECT_TRUE(page->deactivate());
        page->activate();
        std::map<int, std::string> touched;
        for (const auto& entry : host.controls.combos) touched[entry.first] = "combo";
        for (const auto& entry : host.controls.sliders) touched[entry.first] = "slider";
        for (const auto& entry : host.controls.labels) touched[entry.first] = "label";
        for (const auto& entry : host.controls.buttons) touched[entry.first] = "button";
        for (const auto& [id, kind] : touched)
            EXPECT_EQ(inTemplate.contains(id) ? inTemplate.at(id) : "missing", kind) << id;
        checked += touched.size();
    }
    EXPECT_GT(checked, 0u);
}

}  // namespace
