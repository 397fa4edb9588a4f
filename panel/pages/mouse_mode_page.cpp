#include "panel/pages/mouse_mode_page.h"

#include <iterator>

#include "panel/resource_ids.h"

namespace panel {

namespace {

constexpr int kAreaMin = 20;
constexpr int kAreaMax = 200;
constexpr int kSpeedMin = 200;
constexpr int kSpeedMax = 900;

// Indexes are the stored "MouseMode".
constexpr const char* kModeItems[] = {"触摸时点击 ", "离开时点击 ", "拖动 ", "拖动和双击"};
static_assert(std::size(kModeItems) == kLastMouseMode + 1);

// The stored "RBNDelay" is the item's value, not its index.
struct DelayItem {
    const char* text;
    std::uint32_t value;
};
constexpr DelayItem kDelayItems[] = {
    {" 禁用右键", 20}, {" 0.5s", 48}, {" 1.0s", 96}, {" 2.0s", 192}, {" 5.0s", 490},
};
constexpr std::uint32_t kDelayMin = 20;
constexpr std::uint32_t kDelayMax = 490;

}  // namespace

TabPage3::TabPage3() : ui::Page(IDD_MOUSE_MODE) {}

void TabPage3::transfer(ui::Transfer& dx) {
    dx.comboIndex(IDC_MOUSE_MODE, modeIndex);
    dx.sliderPos(IDC_CLICK_AREA, doubleClickArea);
    dx.sliderPos(IDC_CLICK_SPEED, doubleClickSpeed);
    dx.text(IDC_CLICK_AREA_TEXT, areaText);
    dx.text(IDC_CLICK_SPEED_TEXT, speedText);
}

void TabPage3::onInit() {
    ui::Page::onInit();
    ui::ComboBox& modes = controls().comboBox(IDC_MOUSE_MODE);
    for (const char* text : kModeItems) modes.addString(text);
    controls().slider(IDC_CLICK_AREA).setRange(kAreaMin, kAreaMax, true);
    controls().slider(IDC_CLICK_SPEED).setRange(kSpeedMin, kSpeedMax, true);
    rewriteValueTexts();
    modes.setCurSel(modeIndex);

    ui::ComboBox& delays = controls().comboBox(IDC_RIGHT_DELAY);
    for (const DelayItem& item : kDelayItems) delays.setItemData(delays.addString(item.text), item.value);
    // A delay of none of the items leaves the list without a selection; the value is kept.
    for (int i = 0; i < delays.count(); ++i)
        if (delays.itemData(i) == rightClickDelay) delays.setCurSel(i);
    load();
}

void TabPage3::onCommand(int id, int code) {
    if (code != ui::kSelectionChanged) return;  // typing into the delay list's edit field changes nothing
    if (id == IDC_MOUSE_MODE)
        capture();
    else if (id == IDC_RIGHT_DELAY)
        selectDelay();
}

// Only a scroll rewrites the labels from the numbers; a capture reads the label texts back as they are.
void TabPage3::onScroll(int id) {
    if (id != IDC_CLICK_AREA && id != IDC_CLICK_SPEED) return;
    capture();
    rewriteValueTexts();
    load();
}

void TabPage3::rewriteValueTexts() {
    DecimalText(areaText, doubleClickArea);
    DecimalText(speedText, doubleClickSpeed);
}

void TabPage3::selectDelay() {
    ui::ComboBox& delays = controls().comboBox(IDC_RIGHT_DELAY);
    // A failed lookup answers all bits set, which the bound turns into the longest delay.
    std::uint32_t value = delays.itemData(delays.curSel());
    if (value < kDelayMin) value = kDelayMin;
    if (value > kDelayMax) value = kDelayMax;
    rightClickDelay = value;
}

}  // namespace panel
