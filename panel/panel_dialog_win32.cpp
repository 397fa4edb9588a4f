#include <windows.h>

#include "panel/win32.h"

namespace panel::win32 {

namespace {

HWND Hwnd(platform::WindowId id) { return reinterpret_cast<HWND>(id); }
platform::WindowId Id(HWND hwnd) { return reinterpret_cast<platform::WindowId>(hwnd); }

class PanelWindowWin32 : public PanelWindow {
public:
    PanelWindowWin32(HWND dialog, ChildSheet& sheet) : dialog_(dialog), sheet_(sheet) {}

    Size desktopClientSize() override {
        RECT rect{};
        GetClientRect(GetDesktopWindow(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override {
        MoveWindow(dialog_, left, top, width, height, TRUE);
    }
    platform::WindowId createSheet(const SheetDescription& sheet, std::uint32_t style, std::uint32_t exStyle) override {
        return sheet_.create(Id(dialog_), sheet, style, exStyle);
    }
    void addSheetStyles(platform::WindowId sheet, std::uint32_t style, std::uint32_t exStyle) override {
        const HWND hwnd = Hwnd(sheet);
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | static_cast<LONG_PTR>(exStyle));
        SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) | static_cast<LONG_PTR>(style));
    }
    platform::Rect controlRect(int controlId) override {
        RECT rect{};
        GetWindowRect(GetDlgItem(dialog_, controlId), &rect);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    void moveSheet(platform::WindowId sheet, std::int32_t left, std::int32_t top) override {
        SetWindowPos(Hwnd(sheet), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    HWND dialog_;
    ChildSheet& sheet_;
};

struct RunContext {
    CPanelDlg& dialog;
    ChildSheet& sheet;
};

INT_PTR CALLBACK PanelDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG: {
                auto* context = reinterpret_cast<RunContext*>(lParam);
                    PanelWindowWin32 window(hwnd, context->sheet);
                return context->dialog.OnInitDialog(window) ? TRUE : FALSE;
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    EndDialog(hwnd, IDOK);
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    EndDialog(hwnd, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            default: return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

int PanelDialogRunner::run(platform::WindowId parent, CPanelDlg& dialog) {
    RunContext context{dialog, sheet_};
    return static_cast<int>(DialogBoxParamA(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEA(CPanelDlg::kTemplateId),
                                            Hwnd(parent), PanelDialogProc, reinterpret_cast<LPARAM>(&context)));
}

}  // namespace panel::win32
