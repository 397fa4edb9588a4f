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
                              .module = seams.module}),
      tabPage4(seams.devices, seams.serialPorts) {}

bool CPanelDlg::OnInitDialog(PanelWindow& window) {
    const Size desktop = window.desktopClientSize();
    // A failed or unanswered request leaves the code 0, which does not move the dialog.
    std::uint32_t code = 0;
    if (DriverHandle) tavrex::GetScreenPosition(*DriverHandle, code);
    if (const auto place = DialogPlacement(code, desktop.width, desktop.height))
        window.moveAndRepaint(place->left, place->top, kPlacedWidth, kPlacedHeight);

    const platform::WindowId sheetWindow = window.createSheet(pages());
    if (!sheetWindow) return true;
    // Tab then leads from the dialog's buttons into the page's controls.
    window.addSheetStyles(sheetWindow, kWsTabStop, kWsExControlParent);
    const platform::Rect placeholder = window.controlRect(IDC_SHEET_PLACEHOLDER);
    window.moveSheet(sheetWindow, placeholder.left + kSheetOffsetX, placeholder.top + kSheetOffsetY);
    return true;
}

}  // namespace panel
