#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include "panel/resource_ids.h"
#include "panel/win32.h"
#include "ui/child_property_sheet_win32.h"
#include "ui/modal_dialog_win32.h"
#include "ui/window_win32.h"

namespace panel::win32 {

namespace {

HWND Hwnd(platform::WindowId id) { return reinterpret_cast<HWND>(id); }
platform::WindowId Id(HWND hwnd) { return reinterpret_cast<platform::WindowId>(hwnd); }

// The panel's window on template 4004 while it is shown, and the child sheet it creates.
class PanelDialogWindow : public ui::ModalDialog, public PanelWindow {
public:
    PanelDialogWindow(HINSTANCE instance, HWND parent, CPanelDlg& dialog)
        : ui::ModalDialog(instance, IDD_PANEL, parent), sheet_(instance), dialog_(dialog) {}

    Size desktopClientSize() override {
        RECT rect{};
        GetClientRect(GetDesktopWindow(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override {
        ui::moveWindow(hwnd(), left, top, width, height);
    }
    platform::WindowId createSheet(std::span<ui::Page* const> pages) override {
        for (ui::Page* page : pages) sheet_.addPage(*page);
        return sheet_.create(hwnd()) ? Id(sheet_.hwnd()) : 0;
    }
    void addSheetStyles(platform::WindowId sheet, std::uint32_t style, std::uint32_t exStyle) override {
        ui::addWindowStyles(Hwnd(sheet), style, exStyle);
    }
    platform::Rect controlRect(int controlId) override {
        RECT rect{};
        ui::controlRectInClient(hwnd(), controlId, rect);
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    void moveSheet(platform::WindowId sheet, std::int32_t left, std::int32_t top) override {
        ui::moveWindowKeepingSize(Hwnd(sheet), left, top);
    }
    Size windowSize() override {
        RECT rect{};
        GetWindowRect(hwnd(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    Size clientSize() override {
        RECT rect{};
        GetClientRect(hwnd(), &rect);
        return {rect.right, rect.bottom};
    }
    platform::Rect tabControlRect(platform::WindowId sheet) override {
        RECT rect{};
        HWND tabs = PropSheet_GetTabControl(Hwnd(sheet));
        if (!tabs || !GetWindowRect(tabs, &rect)) return {};
        MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    platform::Rect virtualDesktop() override {
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    }

protected:
    BOOL onInitDialog() override { return dialog_.OnInitDialog(*this) ? TRUE : FALSE; }

private:
    ui::ChildPropertySheet sheet_;
    CPanelDlg& dialog_;
};

}  // namespace

int PanelDialogRunner::run(platform::WindowId parent, CPanelDlg& dialog) {
    PanelDialogWindow window(static_cast<HINSTANCE>(instance_), Hwnd(parent), dialog);
    return static_cast<int>(window.run());
}

}  // namespace panel::win32
