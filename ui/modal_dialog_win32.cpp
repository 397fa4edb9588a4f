#include "ui/modal_dialog_win32.h"

#include "ui/window_win32.h"

namespace ui {

INT_PTR ModalDialog::run() {
    initCommonControls();
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), parent_, &ModalDialog::procedure,
                                           reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    // 0 means an invalid owner: the dialog never existed either, since it only ends with 1 or 2.
    return result == 0 ? kDialogFailed : result;
}

INT_PTR CALLBACK ModalDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            dialog->window_ = window;
            try {
                return dialog->onInitDialog();
            } catch (...) {
                EndDialog(window, kDialogFailed);
                return TRUE;
            }
        }
        auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
        return dialog ? dialog->handle(message, wParam, lParam) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

INT_PTR ModalDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // A button's click, or the Enter and Escape keys that the dialog manager turns into one.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDOK:
                onOk();
                EndDialog(window_, kDialogOk);
                return TRUE;
            case IDCANCEL:  // the Cancel button, Escape, and the close box through the system's default
                EndDialog(window_, kDialogCancel);
                return TRUE;
            default: break;
        }
    }
    INT_PTR result = FALSE;
    if (onMessage(message, wParam, lParam, result)) return result;
    return FALSE;
}

}  // namespace ui
