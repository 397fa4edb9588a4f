#include "panel/pages/beep_page.h"

#include <iterator>

#include "driver/records.h"
#include "driver/tavrex_device.h"
#include "panel/resource_ids.h"

namespace panel {

namespace {

// Indexes are the stored "BeepMode".
constexpr const char* kModeItems[] = {"不发声", "触摸时发声", "离开时发声"};
static_assert(std::size(kModeItems) == kLastBeepMode + 1);

}  // namespace

TabPage2::TabPage2() : ui::Page(IDD_BEEP) {}

void TabPage2::transfer(ui::Transfer& dx) {
    dx.comboIndex(IDC_BEEP_MODE, modeIndex);
    dx.sliderPos(IDC_BEEP_DURATION, duration);
    dx.sliderPos(IDC_BEEP_FREQUENCY, frequency);
    dx.text(IDC_BEEP_FREQUENCY_TEXT, frequencyText);
    dx.text(IDC_BEEP_DURATION_TEXT, durationText);
}

void TabPage2::onInit() {
    ui::Page::onInit();
    controls().slider(IDC_BEEP_FREQUENCY).setRange(kBeepFrequencyMin, kBeepFrequencyMax, true);
    controls().slider(IDC_BEEP_DURATION).setRange(kBeepDurationMin, kBeepDurationMax, true);
    ui::ComboBox& modes = controls().comboBox(IDC_BEEP_MODE);
    for (const char* text : kModeItems) modes.addString(text);
    rewriteValueTexts();
    load();
}

void TabPage2::onCommand(int id, int code) {
    if (id == IDC_BEEP_MODE && code == ui::kSelectionChanged)
        capture();
    else if (id == IDC_BEEP_TEST && code == ui::kButtonClicked)
        testBeep();
}

// Only a scroll rewrites the labels from the numbers; a capture reads the label texts back as they are.
void TabPage2::onScroll(int id) {
    if (id != IDC_BEEP_FREQUENCY && id != IDC_BEEP_DURATION) return;
    capture();
    rewriteValueTexts();
    load();
}

void TabPage2::rewriteValueTexts() {
    DecimalText(frequencyText, frequency);
    DecimalText(durationText, duration);
}

// Sounds the members' beep and puts the driver's own record back at once. The members are current:
// every slider movement and mode change has been captured when it happened.
void TabPage2::testBeep() {
    if (!driverHandle) return;
    tavrex::BeepRecord saved{};
    // Without the driver's record the test could not be undone, so it is not made.
    if (!tavrex::GetBeep(*driverHandle, saved)) return;
    const auto mode = static_cast<std::uint32_t>(modeIndex);
    const auto hertz = static_cast<std::uint32_t>(frequency);
    const auto milliseconds = static_cast<std::uint32_t>(duration);
    // The second pair repeats the first, as the stored "BeepFreq2" and "BeepTime2" do.
    const tavrex::BeepRecord test{mode, hertz, milliseconds, hertz, milliseconds};
    tavrex::SetBeep(*driverHandle, test);
    tavrex::TestBeep(*driverHandle);
    tavrex::SetBeep(*driverHandle, saved);
}

}  // namespace panel
