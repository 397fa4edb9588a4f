// Runs the control contract against real controls of the common controls in force (it says which): a drop-down list, a
// trackbar, a static text, a check box and two radio buttons in a window of their own, through the dialog layer's Win32
// wrappers; then the modal dialog and the child property sheet on test templates. Prints each difference and exits 1 if
// there is any.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>

#include "tests/contract/control_contract.h"
#include "tests/e2e/uicontract/dialog_checks_win32.h"
#include "ui/controls_win32.h"
#include "ui/window_win32.h"

namespace {

constexpr contract::ControlIds kIds{101, 102, 103, 104, 105, 106};

HWND child(HWND parent, const char* className, DWORD style, int id, int y, int height) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, y, 200, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

HWND createControls() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavrexUiContract";
    if (!RegisterClassA(&windowClass)) return nullptr;
    HWND parent = CreateWindowExA(0, windowClass.lpszClassName, "ui contract", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!parent) return nullptr;
    const bool made = child(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, kIds.comboBox, 10, 150) &&
                      child(parent, TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS, kIds.slider, 40, 30) &&
                      child(parent, "STATIC", SS_LEFT, kIds.label, 80, 20) &&
                      child(parent, "BUTTON", BS_AUTOCHECKBOX, kIds.checkBox, 110, 20) &&
                      child(parent, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, kIds.radioButton, 140, 20) &&
                      child(parent, "BUTTON", BS_AUTORADIOBUTTON, kIds.secondRadioButton, 170, 20);
    return made ? parent : nullptr;
}

// Only the common controls 6.0 know BCM_GETIDEALSIZE; 5.x answers 0.
const char* commonControlsVersion(HWND window) {
    SIZE ideal{};
    const LRESULT answered =
        SendMessageW(GetDlgItem(window, kIds.checkBox), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    return answered && ideal.cx > 0 ? "6.0" : "5";
}

}  // namespace

int main() {
    if (!ui::initCommonControls()) {
        std::fprintf(stderr, "uicontract: the common controls did not register\n");
        return 2;
    }
    HWND window = createControls();
    if (!window) {
        std::fprintf(stderr, "uicontract: the controls could not be created (error %lu)\n", GetLastError());
        return 2;
    }
    std::printf("common controls %s\n", commonControlsVersion(window));
    ui::DialogControls controls(window);
    std::vector<std::string> failures = contract::checkControls(controls, kIds);
    DestroyWindow(window);
    const std::vector<std::string> dialogFailures = checkDialogs();
    failures.insert(failures.end(), dialogFailures.begin(), dialogFailures.end());
    for (const std::string& failure : failures) std::printf("FAIL %s\n", failure.c_str());
    std::fflush(stdout);
    if (!failures.empty()) return 1;
    std::printf("control contract kept\ndialog layer checks passed\n");
    return 0;
}
