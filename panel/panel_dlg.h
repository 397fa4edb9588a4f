// The panel dialog: OK, Cancel and a child property sheet of six pages over a hidden placeholder;
// it places itself over the touch screen when it opens.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "panel/applet_seams.h"
#include "panel/pages/screen_pos.h"
#include "panel/pages/tab_page1.h"
#include "panel/pages/tab_page2.h"
#include "panel/pages/tab_page3.h"
#include "panel/pages/tab_page4.h"
#include "panel/pages/tab_page5.h"
#include "panel/placement.h"
#include "platform/types.h"

namespace panel {

inline constexpr std::uint32_t kWsTabStop = 0x00010000;          // WS_TABSTOP
inline constexpr std::uint32_t kWsExControlParent = 0x00010000;  // WS_EX_CONTROLPARENT
inline constexpr std::uint32_t kWsChild = 0x40000000;            // WS_CHILD
inline constexpr std::uint32_t kWsVisible = 0x10000000;          // WS_VISIBLE
inline constexpr std::int32_t kSheetOffsetX = 10;
inline constexpr std::int32_t kSheetOffsetY = -7;

// The property sheet as it is to be created: no caption, the first page shown, pages in tab order.
struct SheetDescription {
    const char* caption = nullptr;
    int startPage = 0;
    std::vector<ui::Page*> pages;
};

// The panel dialog's window while it initialises.
class PanelWindow {
public:
    virtual ~PanelWindow() = default;
    virtual Size desktopClientSize() = 0;
    // Moves and resizes the dialog window, then repaints it.
    virtual void moveAndRepaint(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
    // Creates the sheet as a child window of the dialog with exactly these styles and no buttons of
    // its own; 0 when it cannot be created.
    virtual platform::WindowId createSheet(const SheetDescription& sheet, std::uint32_t style,
                                           std::uint32_t exStyle) = 0;
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
    static constexpr int kTemplateId = 4004;

    CPanelDlg(platform::WindowId parent, const AppletSeams& seams);
    CPanelDlg(const CPanelDlg&) = delete;
    CPanelDlg& operator=(const CPanelDlg&) = delete;

    platform::WindowId parent() const { return parent_; }
    std::array<ui::Page*, 6> constructionOrder();
    std::array<ui::Page*, 6> tabOrder();

    // The dialog's initialisation once its window exists; true leaves the focus to the system.
    bool OnInitDialog(PanelWindow& window);

private:
    void FitMovedPanel(PanelWindow& window, const Placement& place, PanelMeasures& measures,
                       platform::WindowId sheetWindow);

    platform::WindowId parent_;

public:
    platform::DeviceHandle* DriverHandle = nullptr;  // the panel run's; not owned
    SheetDescription sheet;
    TabPage1 tabPage1;
    TabPage2 tabPage2;
    TabPage3 tabPage3;
    TabPage4 tabPage4;
    TabPage5 tabPage5;
    CScreenPos screenPos;
};

}  // namespace panel
