// Dialog 104, the calibrator's one modal question and message.
#pragma once

#include <windows.h>

#include "calibrator/prompt.h"

namespace calibrator {

INT_PTR CALLBACK PromptDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

class PromptDialogWin32 : public PromptDialog {
public:
    explicit PromptDialogWin32(HINSTANCE instance) : instance_(instance) {}
    int run(platform::WindowId owner, const char* text, const char* caption) override;

private:
    HINSTANCE instance_;
};

}  // namespace calibrator
