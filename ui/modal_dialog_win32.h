// A modal dialog on a template of a module's resources; the object is found through the parameter
// given at creation, and its procedure lets no exception out.
#pragma once

#include <windows.h>

namespace ui {

inline constexpr INT_PTR kDialogOk = 1;
inline constexpr INT_PTR kDialogCancel = 2;
inline constexpr INT_PTR kDialogFailed = -1;

class ModalDialog {
public:
    ModalDialog(HINSTANCE instance, int templateId, HWND parent)
        : instance_(instance), templateId_(templateId), parent_(parent) {}
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Shows the dialog until it ends: kDialogOk after OK, kDialogCancel after Cancel, Escape or the
    // close box, kDialogFailed when it cannot be created or its initialisation fails.
    INT_PTR run();
    HWND hwnd() const { return window_; }  // null unless the dialog is showing

protected:
    // Once the window and its controls exist. TRUE lets the system set the initial focus.
    virtual BOOL onInitDialog() { return TRUE; }
    // OK was pressed; the dialog then ends with kDialogOk.
    virtual void onOk() {}
    // Any other message, before the dialog's defaults; true when handled, with the procedure's result.
    virtual bool onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    int templateId_;
    HWND parent_;
    HWND window_ = nullptr;
};

}  // namespace ui
