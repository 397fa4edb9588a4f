// RAII for the GDI objects the calibrator creates, selects and borrows.
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace calibrator::gdi {

// Puts the previous object back into the device context at the end of the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Pens, brushes, fonts, bitmaps and memory device contexts, deleted at the end of the scope.
template <typename T>
using ScopedObject = platform::win32::UniqueGdiObject<T>;
using ScopedMemoryDC = platform::win32::UniqueDeviceContext;

// A window's device context, released to its window at the end of the scope.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The painting of one WM_PAINT, ended at the end of the scope.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace calibrator::gdi
