// What the applet needs from Windows beyond the shared seams, and the one bundle a panel run is given.
#pragma once

#include <cstdint>
#include <string_view>

#include "panel/serial_ports.h"
#include "platform/device.h"
#include "platform/registry.h"
#include "platform/types.h"
#include "platform/user_messages.h"

namespace panel {

inline constexpr int kSwShowDefault = 10;  // SW_SHOWDEFAULT

// The system's double-click time (SetDoubleClickTime).
class DoubleClickTime {
public:
    virtual ~DoubleClickTime() = default;
    virtual void set(std::uint32_t milliseconds) = 0;
};

// Starting another program without waiting for it: the program's file by its full path, so that nothing
// is searched for, and its command line, both UTF-16 as paths come from Windows.
class Programs {
public:
    virtual ~Programs() = default;
    // False when the program could not be started.
    virtual bool start(const char16_t* program, const char16_t* commandLine, int showState) = 0;
};

// The applet's own module: its icon resources and its application name.
class Module {
public:
    virtual ~Module() = default;
    virtual std::uintptr_t loadIcon(int resourceId) = 0;  // an HICON as a number; 0 when missing
    // The base name of the module's file, e.g. "lintara"; it lasts until the next call.
    virtual const char* applicationName() = 0;
};

class CPanelDlg;

// Runs the panel dialog modally over its template: 1 after OK, 2 after Cancel, the close box or
// Escape, -1 when the dialog cannot be created. The dialog's initialisation is CPanelDlg::OnInitDialog.
class PanelDialogRunner {
public:
    virtual ~PanelDialogRunner() = default;
    virtual int run(platform::WindowId parent, CPanelDlg& dialog) = 0;
};

struct AppletSeams {
    platform::Registry& registry;
    platform::Devices& devices;
    platform::MessageBoxes& messageBoxes;
    SerialPorts& serialPorts;
    DoubleClickTime& doubleClickTime;
    Programs& programs;
    Module& module;
    PanelDialogRunner& dialogRunner;
};

// The base name of a module's file, inside the path: "C:\Windows\System32\lintara.cpl" gives "lintara".
std::string_view ApplicationNameFromPath(const char* path);

}  // namespace panel
