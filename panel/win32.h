// The Win32 implementations of the applet's own seams; each only translates calls.
#pragma once

#include "panel/applet_seams.h"
#include "panel/panel_dialog.h"

namespace panel::win32 {

class DoubleClickTime : public panel::DoubleClickTime {
public:
    void set(std::uint32_t milliseconds) override;
};

class Programs : public panel::Programs {
public:
    StartResult start(const char16_t* program, const char16_t* commandLine, int showState) override;
    StartResult shellExecute(platform::WindowId owner, const char16_t* verb, const char16_t* file,
                             const char16_t* parameters, int showState) override;
    const char16_t* systemFolder() override;

private:
    char16_t folder_[260] = {};  // MAX_PATH
};

class ProcessToken : public panel::ProcessToken {
public:
    TokenElevation elevation() override;
};

// instance: the module's HINSTANCE.
class Module : public panel::Module {
public:
    explicit Module(void* instance) : instance_(instance) {}
    std::uintptr_t loadIcon(int resourceId) override;
    const char* applicationName() override;
    const char16_t* path() override;

private:
    void* instance_;
    char16_t path_[260] = {};      // MAX_PATH
    char name_[2 * 260 + 1] = {};  // a MAX_PATH path in GBK
};

// Runs CPanelDlg on its template from the module's resources, with its child property sheet.
class PanelDialogRunner : public panel::PanelDialogRunner {
public:
    explicit PanelDialogRunner(void* instance) : instance_(instance) {}
    int run(platform::WindowId parent, CPanelDlg& dialog) override;

private:
    void* instance_;
};

}  // namespace panel::win32
