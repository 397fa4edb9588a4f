// The mouse mode page: mouse mode, double-click speed and area, right-click delay.
#pragma once

#include <cstdint>

#include "panel/gbk_text.h"
#include "ui/page.h"

namespace panel {

// The last item of the mode list; the settings store corrects a loaded mode into the list.
inline constexpr int kLastMouseMode = 3;

class TabPage3 : public ui::Page {
public:
    TabPage3();

    // Copies the panel hands in before the dialog shows and reads back after OK.
    std::int32_t modeIndex = 0;         // "MouseMode"
    std::int32_t doubleClickArea = 0;   // "DoubleClickHeight", pixels
    std::int32_t doubleClickSpeed = 0;  // "DoubleClickSpeed", ms
    char areaText[kDecimalTextSize] = {};
    char speedText[kDecimalTextSize] = {};
    std::uint32_t rightClickDelay = 0;  // "RBNDelay"

    void onInit() override;
    void onCommand(int id, int code) override;
    void onScroll(int id) override;

protected:
    void transfer(ui::Transfer& dx) override;

private:
    void rewriteValueTexts();
    void selectDelay();
};

}  // namespace panel
