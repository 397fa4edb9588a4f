// The beep page: beep mode, frequency and duration, and a test that sounds the chosen beep.
#pragma once

#include <cstdint>

#include "panel/gbk_text.h"
#include "platform/device.h"
#include "ui/page.h"

namespace panel {

// What the beep's list and sliders offer; the settings store corrects loaded values into these ranges.
inline constexpr int kLastBeepMode = 2;
inline constexpr int kBeepFrequencyMin = 1000;  // Hz
inline constexpr int kBeepFrequencyMax = 5000;
inline constexpr int kBeepDurationMin = 32;  // ms
inline constexpr int kBeepDurationMax = 750;

class TabPage2 : public ui::Page {
public:
    TabPage2();

    // Copies the panel hands in before the dialog shows and reads back after OK.
    platform::DeviceHandle* driverHandle = nullptr;  // the panel's; not owned
    std::int32_t modeIndex = -1;                     // "BeepMode"
    std::int32_t duration = 0;                       // "BeepTime1", ms
    std::int32_t frequency = 0;                      // "BeepFreq1", Hz
    char frequencyText[kDecimalTextSize] = {};
    char durationText[kDecimalTextSize] = {};

    void onInit() override;
    void onCommand(int id, int code) override;
    void onScroll(int id) override;

protected:
    void transfer(ui::Transfer& dx) override;

private:
    void rewriteValueTexts();
    void testBeep();
};

}  // namespace panel
