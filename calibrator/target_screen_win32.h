// The calibration window's off-screen images, drawn with GDI; built once and kept until the process ends.
#pragma once

#include <windows.h>

#include <optional>

#include "calibrator/gdi_scoped.h"
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
    // Declared so that destruction puts the selections back, then deletes the objects, then the contexts.
    gdi::ScopedMemoryDC backgroundDC_;
    gdi::ScopedMemoryDC glyphDC_;
    gdi::ScopedObject<HBITMAP> background_;
    gdi::ScopedObject<HBITMAP> glyph_;
    gdi::ScopedObject<HFONT> font_;
    std::optional<gdi::ScopedSelect> backgroundSelected_;
    std::optional<gdi::ScopedSelect> glyphSelected_;
    std::optional<gdi::ScopedSelect> fontSelected_;
};

}  // namespace calibrator
