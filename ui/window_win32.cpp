#include "ui/window_win32.h"

#include <commctrl.h>

namespace ui {

bool initCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
}

void addWindowStyles(HWND window, DWORD style, DWORD exStyle) {
    if (style != 0) {
        const LONG_PTR old = GetWindowLongPtrW(window, GWL_STYLE);
        SetWindowLongPtrW(window, GWL_STYLE, old | static_cast<LONG_PTR>(style));
    }
    if (exStyle != 0) {
        const LONG_PTR old = GetWindowLongPtrW(window, GWL_EXSTYLE);
        SetWindowLongPtrW(window, GWL_EXSTYLE, old | static_cast<LONG_PTR>(exStyle));
    }
}

void moveWindowKeepingSize(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveWindow(HWND window, int x, int y, int width, int height) { MoveWindow(window, x, y, width, height, TRUE); }

bool controlRectInClient(HWND dialog, int id, RECT& rect) {
    HWND control = GetDlgItem(dialog, id);
    if (!control || !GetWindowRect(control, &rect)) return false;
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

}  // namespace ui
