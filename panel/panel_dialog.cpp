#include "panel/panel_dialog.h"

#include "driver/tavrex_device.h"
#include "panel/placement.h"
#include "panel/resource_ids.h"

namespace panel {

CPanelDlg::CPanelDlg(platform::WindowId parent, const AppletSeams& seams)
    : parent_(parent),
      tabPage1(CalibrateSeams{.registry = seams.registry,
                              .programs = seams.programs,
                              .messageBoxes = seams.messageBoxes,
                              .module = seams.module,
                              .token = seams.token}),
      tabPage4(seams.devices, seams.serialPorts) {}

bool CPanelDlg::OnInitDialog(PanelWindow& window) {
    const Size desktop = window.desktopClientSize();
    // A failed or unanswered request leaves the code 0, which does not move the dialog.
    std::uint32_t code = 0;
    if (DriverHandle) tavrex::GetScreenPosition(*DriverHandle, code);
    const auto place = DialogPlacement(code, desktop.width, desktop.height);
    PanelMeasures measures;
    if (place) {
        // Before the move: the size its template gives the panel in the fonts of this display setting.
        measures.window = window.windowSize();
        measures.client = window.clientSize();
        window.moveAndRepaint(place->left, place->top, kPlacedWidth, kPlacedHeight);
    }

    const platform::WindowId sheetWindow = window.createSheet(pages());
    if (sheetWindow) {
        // Tab then leads from the dialog's buttons into the page's controls.
        window.addSheetStyles(sheetWindow, kWsTabStop, kWsExControlParent);
        const platform::Rect placeholder = window.controlRect(IDC_SHEET_PLACEHOLDER);
        window.moveSheet(sheetWindow, placeholder.left + kSheetOffsetX, placeholder.top + kSheetOffsetY);
    }
    if (place) FitMovedPanel(window, *place, measures, sheetWindow);
    return true;
}

// With large fonts the template outgrows the fixed size, and on one display alone the placement
// reaches past the desktop's edge: either way OK and Cancel would lie out of reach.
void CPanelDlg::FitMovedPanel(PanelWindow& window, const Placement& place, PanelMeasures& measures,
                              platform::WindowId sheetWindow) {
    measures.controls = {window.controlRect(platform::kIdOk), window.controlRect(platform::kIdCancel)};
    if (sheetWindow) measures.controls.push_back(window.tabControlRect(sheetWindow));
    measures.desktop = window.virtualDesktop();
    const PanelRect rect = MovedPanelRect(place, measures);
    if (rect != PanelRect{place.left, place.top, kPlacedWidth, kPlacedHeight})
        window.moveAndRepaint(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace panel
