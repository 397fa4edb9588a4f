#include "calibrator/prompt_win32.h"

#include "calibrator/resource_ids.h"
#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"

namespace calibrator {

namespace {

struct PromptTexts {
    const char* text;
    const char* caption;
};

}  // namespace

INT_PTR CALLBACK PromptDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* texts = reinterpret_cast<const PromptTexts*>(lParam);
            SetDlgItemTextW(dialog, IDC_PROMPT_TEXT, platform::win32::WideText(texts->text).get());
            SetWindowTextW(dialog, platform::win32::WideText(texts->caption).get());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

int PromptDialogWin32::run(platform::WindowId owner, const char* text, const char* caption) {
    PromptTexts texts{text, caption};
    const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_PROMPT), platform::win32::ToHwnd(owner),
                                           PromptDialogProc, reinterpret_cast<LPARAM>(&texts));
    return result == 1 || result == 2 ? static_cast<int>(result) : -1;
}

}  // namespace calibrator
