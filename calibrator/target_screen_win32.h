// The calibration window's off-screen images, drawn with GDI; kept until the process ends.
#pragma once

#include <windows.h>

#include "calibrator/target_screen.h"

namespace calibrator {

class TargetScreenWin32 : public TargetScreen {
public:
    explicit TargetScreenWin32(HINSTANCE instance) : instance_(instance) {}
    void prepare(platform::WindowId window, const DisplayLayout& layout) override;
    void paint(platform::WindowId window, std::uint32_t targetCode) override;
    void drawTarget(platform::WindowId window, std::uint32_t targetCode) override;

private:
    void draw(HDC dc, std::uint32_t targetCode);
    void drawGlyph();
    void drawInstruction(HWND window);

    HINSTANCE instance_;
    DisplayLayout layout_;
    HDC backgroundDC_ = nullptr;
    HDC glyphDC_ = nullptr;
    HBITMAP background_ = nullptr;
    HBITMAP glyph_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace calibrator
