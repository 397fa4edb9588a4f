// lintara.cpl's one export and the module's application object: the Win32 seams and the one touch
// applet, built when the module's statics are initialised at load and destroyed at unload.
#include <windows.h>

#include "panel/activation_context_win32.h"
#include "panel/applet_seams.h"
#include "panel/serial_ports_win32.h"
#include "panel/touch_applet.h"
#include "panel/win32.h"
#include "platform/win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The module's application object; it adds no start-up or shutdown work of its own.
class CPanelApp {
public:
    CPanelApp()
        : module_(ModuleInstance()),
          runner_(ModuleInstance()),
          applet({.registry = registry_,
                  .devices = devices_,
                  .messageBoxes = messageBoxes_,
                  .serialPorts = serialPorts_,
                  .doubleClickTime = doubleClickTime_,
                  .programs = programs_,
                  .module = module_,
                  .dialogRunner = runner_,
                  .token = token_}) {}

private:
    platform::win32::Registry registry_;
    platform::win32::Devices devices_;
    platform::win32::MessageBoxes messageBoxes_;
    panel::win32::SerialPorts serialPorts_;
    panel::win32::DoubleClickTime doubleClickTime_;
    panel::win32::Programs programs_;
    panel::win32::Module module_;
    panel::win32::PanelDialogRunner runner_;
    panel::win32::ProcessToken token_;

public:
    panel::CTouchApplet applet;
};

CPanelApp theApp;

panel::win32::ModuleActivationContext visualStyles(ModuleInstance());

}  // namespace

// Exported undecorated through the module's .def file. Everything the applet shows, the whole modal run
// included, comes from within one of these calls: the applet's own manifest is in force for each.
extern "C" LONG APIENTRY CPlApplet(HWND cplWindow, UINT message, LPARAM param1, LPARAM param2) {
    const panel::win32::ActivationScope activated(visualStyles.get());
    return panel::DispatchCplMessage(panel::CurrentApplet, reinterpret_cast<platform::WindowId>(cplWindow), message,
                                     param1, param2);
}
