#include "calibrator/target_screen_win32.h"

#include "calibrator/resource_ids.h"
#include "calibrator/targets.h"
#include "calibrator/texts.h"
#include "platform/wide_text_win32.h"

namespace calibrator {

namespace {

constexpr COLORREF kGlyphPen = RGB(255, 96, 0);
constexpr COLORREF kInnerDisc = RGB(255, 255, 0);
constexpr COLORREF kTextColour = RGB(32, 32, 255);

using platform::win32::ToHwnd;

}  // namespace

void TargetScreenWin32::prepare(platform::WindowId id, const DisplayLayout& layout) {
    layout_ = layout;
    HWND window = ToHwnd(id);
    gdi::ScopedWindowDC windowDC(window);
    backgroundDC_.reset(CreateCompatibleDC(windowDC.get()));
    glyphDC_.reset(CreateCompatibleDC(windowDC.get()));

    // The one-colour resource stretched to the area stays a uniform fill.
    background_.reset(static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP,
                                                      layout.W, layout.H, LR_CREATEDIBSECTION)));
    backgroundSelected_.emplace(backgroundDC_.get(), background_.get());
    BitBlt(windowDC.get(), 0, 0, layout.W, layout.H, backgroundDC_.get(), 0, 0, SRCCOPY);

    glyph_.reset(CreateCompatibleBitmap(windowDC.get(), kGlyphBitmapSize, kGlyphBitmapSize));
    glyphSelected_.emplace(glyphDC_.get(), glyph_.get());
    BitBlt(glyphDC_.get(), 0, 0, kGlyphBitmapSize, kGlyphBitmapSize, backgroundDC_.get(), 0, 0, SRCCOPY);
    drawGlyph();

    drawInstruction(window);
    BitBlt(windowDC.get(), 0, 0, layout.W, layout.H, backgroundDC_.get(), 0, 0, SRCCOPY);
}

void TargetScreenWin32::drawGlyph() {
    gdi::ScopedObject<HPEN> pen(CreatePen(PS_SOLID, 2, kGlyphPen));
    gdi::ScopedObject<HBRUSH> yellow(CreateSolidBrush(kInnerDisc));
    HDC dc = glyphDC_.get();
    gdi::ScopedSelect penSelected(dc, pen.get());
    Ellipse(dc, 7, 7, 47, 47);  // white disc with the context's default brush
    {
        gdi::ScopedSelect brushSelected(dc, yellow.get());
        Ellipse(dc, 13, 13, 41, 41);
    }
    const POINT ticks[4][2] = {{{0, 27}, {21, 27}}, {{54, 27}, {33, 27}}, {{27, 0}, {27, 21}}, {{27, 54}, {27, 33}}};
    for (const auto& tick : ticks) {
        MoveToEx(dc, tick[0].x, tick[0].y, nullptr);
        LineTo(dc, tick[1].x, tick[1].y);
    }
}

void TargetScreenWin32::drawInstruction(HWND window) {
    HDC dc = backgroundDC_.get();
    SetTextColor(dc, kTextColour);
    SetBkMode(dc, TRANSPARENT);
    font_.reset(CreateFontW(16, 0, 0, 600, 500, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, L"宋体"));
    fontSelected_.emplace(dc, font_.get());
    RECT client{};
    GetClientRect(window, &client);
    client.top = layout_.Y3 / 2;
    DrawTextW(dc, platform::win32::WideText(text::kInstruction).get(), -1, &client, DT_CENTER | DT_SINGLELINE);
}

void TargetScreenWin32::draw(HDC dc, std::uint32_t targetCode) {
    BitBlt(dc, 0, 0, layout_.W, layout_.H, backgroundDC_.get(), 0, 0, SRCCOPY);
    if (auto origin = GlyphOrigin(targetCode, layout_))
        BitBlt(dc, origin->x, origin->y, kGlyphShownSize, kGlyphShownSize, glyphDC_.get(), 0, 0, SRCCOPY);
}

void TargetScreenWin32::paint(platform::WindowId id, std::uint32_t targetCode) {
    gdi::ScopedPaint paint(ToHwnd(id));
    draw(paint.get(), targetCode);
}

void TargetScreenWin32::drawTarget(platform::WindowId id, std::uint32_t targetCode) {
    gdi::ScopedWindowDC dc(ToHwnd(id));
    draw(dc.get(), targetCode);
}

}  // namespace calibrator
