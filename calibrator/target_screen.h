// The calibration window's pictures: the background with its instruction line and the target glyph.
#pragma once

#include <cstdint>

#include "calibrator/display_selection.h"
#include "platform/types.h"

namespace calibrator {

class TargetScreen {
public:
    virtual ~TargetScreen() = default;
    // Builds the off-screen images once and shows the background on the window.
    virtual void prepare(platform::WindowId window, const DisplayLayout& layout) = 0;
    // Paints the window from the background inside WM_PAINT, with the glyph of the target code (0: none).
    virtual void paint(platform::WindowId window, std::uint32_t targetCode) = 0;
    // Restores the background on the window and places the glyph of the target code (0: none).
    virtual void drawTarget(platform::WindowId window, std::uint32_t targetCode) = 0;
};

}  // namespace calibrator
