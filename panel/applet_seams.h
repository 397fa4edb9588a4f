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

inline constexpr int kSwShowNormal = 1;  // SW_SHOWNORMAL

// What became of starting a program.
enum class StartResult {
    Started,
    ElevationRequired,  // it asks for more rights than this process has (ERROR_ELEVATION_REQUIRED)
    Cancelled,          // the user declined the consent (ERROR_CANCELLED)
    Failed,
};

// Starting another program without waiting for it, by the full path of its file, so that nothing is
// searched for; paths are UTF-16 as they come from Windows.
class Programs {
public:
    virtual ~Programs() = default;
    // The program with its command line, with this process's rights (CreateProcessW).
    virtual StartResult start(const char16_t* program, const char16_t* commandLine, int showState) = 0;
    // Through the shell with a verb ("open", or "runas" for administrator rights) and parameters (may be
    // null), which asks the user's consent where the program needs it (ShellExecuteExW); owner owns that.
    virtual StartResult shellExecute(platform::WindowId owner, const char16_t* verb, const char16_t* file,
                                     const char16_t* parameters, int showState) = 0;
    // The folder of the system's 32-bit programs: SysWOW64 on 64-bit Windows, System32 elsewhere; empty when
    // unknown.
    virtual const char16_t* systemFolder() = 0;
};

// How this process's token stands with user account control.
enum class TokenElevation {
    Default,  // no split token: a standard user, an administrator without user account control, Windows XP
    Full,     // elevated
    Limited,  // an administrator's filtered token, which a consent can elevate
};

class ProcessToken {
public:
    virtual ~ProcessToken() = default;
    virtual TokenElevation elevation() = 0;
};

// The applet's own module: its icon resources and its application name.
class Module {
public:
    virtual ~Module() = default;
    virtual std::uintptr_t loadIcon(int resourceId) = 0;  // an HICON as a number; 0 when missing
    // The base name of the module's file, e.g. "lintara"; it lasts until the next call.
    virtual const char* applicationName() = 0;
    // The module file's full path; empty when it cannot be had. It lasts until the next call.
    virtual const char16_t* path() = 0;
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
    ProcessToken& token;
};

// The base name of a module's file, inside the path: "C:\Windows\System32\lintara.cpl" gives "lintara".
std::string_view ApplicationNameFromPath(const char* path);

}  // namespace panel
