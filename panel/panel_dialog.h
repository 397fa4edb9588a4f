// The panel dialog on template IDD_PANEL: OK, Cancel and a child property sheet of the pages over a
// hidden placeholder; it places itself over the touch screen when it opens.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "panel/applet_seams.h"
#include "panel/pages/about_page.h"
#include "panel/pages/beep_page.h"
#include "panel/pages/calibrate_page.h"
#include "panel/pages/mouse_mode_page.h"
#include "panel/pages/screen_position_page.h"
#include "panel/pages/serial_port_page.h"
#include "panel/placement.h"
#include "platform/types.h"

namespace panel {

inline constexpr std::uint32_t kWsTabStop = 0x00010000;          // WS_TABSTOP
inline constexpr std::uint32_t kWsExControlParent = 0x00010000;  // WS_EX_CONTROLPARENT
inline constexpr std::int32_t kSheetOffsetX = 10;
inline constexpr std::int32_t kSheetOffsetY = -7;

// The panel dialog's window while it initialises.
class PanelWindow {
public:
    virtual ~PanelWindow() = default;
    virtual Size desktopClientSize() = 0;
    // Moves and resizes the dialog window, then repaints it.
    virtual void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    // Creates the sheet as a visible child window of the dialog with these pages as its tabs, the first
    // one shown, and no caption or buttons of its own; 0 when it cannot be created.
    virtual platform::WindowId createSheet(std::span<ui::Page* const> pages) = 0;
    // Adds the styles to those the sheet has.
    virtual void addSheetStyles(platform::WindowId sheet, std::uint32_t style, std::uint32_t exStyle) = 0;
    // The control's window rectangle in the dialog's client coordinates.
    virtual platform::Rect controlRect(int controlId) = 0;
    // Moves the sheet without changing its size or z-order and without activating it.
    virtual void moveSheet(platform::WindowId sheet, std::int32_t left, std::int32_t top) = 0;
    // The dialog's window size and its client area's.
    virtual Size windowSize() = 0;
    virtual Size clientSize() = 0;
    // The sheet's tab control's window rectangle in the dialog's client coordinates.
    virtual platform::Rect tabControlRect(platform::WindowId sheet) = 0;
    // The rectangle of every display together.
    virtual platform::Rect virtualDesktop() = 0;
};

class CPanelDlg {
public:
    CPanelDlg(platform::WindowId parent, const AppletSeams& seams);
    CPanelDlg(const CPanelDlg&) = delete;
    CPanelDlg& operator=(const CPanelDlg&) = delete;

    platform::WindowId parent() const { return parent_; }
    // The tabs from left to right, the one list of them: the sheet adds the pages in this order and the
    // tests walk it. The pages are built in the order of the members below, which differs at the end.
    auto pages() {
        return std::to_array<ui::Page*>({&tabPage1, &tabPage2, &tabPage3, &tabPage4, &screenPos, &tabPage5});
    }

    // The dialog's initialisation once its window exists; true leaves the focus to the system.
    bool OnInitDialog(PanelWindow& window);

private:
    void FitMovedPanel(PanelWindow& window, const Placement& place, PanelMeasures& measures,
                       platform::WindowId sheetWindow);

    platform::WindowId parent_;

public:
    platform::DeviceHandle* DriverHandle = nullptr;  // the panel run's; not owned
    // Each page's source in panel/pages/ is named after its role.
    TabPage1 tabPage1;     // calibrate_page
    TabPage2 tabPage2;     // beep_page
    TabPage3 tabPage3;     // mouse_mode_page
    TabPage4 tabPage4;     // serial_port_page
    TabPage5 tabPage5;     // about_page
    CScreenPos screenPos;  // screen_position_page
};

}  // namespace panel
