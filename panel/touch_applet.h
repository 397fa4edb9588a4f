// The touch applet: the one Control Panel item, its settings record and the panel run.
#pragma once

#include <cstdint>
#include <memory>

#include "driver/driver_check.h"
#include "panel/applet_base.h"
#include "panel/applet_seams.h"
#include "platform/device.h"

namespace panel {

class CPanelDlg;

// How the applet opens itself through the 32-bit rundll32.exe: the file and its parameters, UTF-16.
struct ShellCommand {
    static constexpr std::size_t kSize = 2 * 260;
    char16_t file[kSize];
    char16_t parameters[kSize];
};

// "<systemFolder>\rundll32.exe" and "shell32.dll,Control_RunDLL "<appletPath>"". False when either part is
// missing or does not fit, or the path holds a quote.
bool ComposeReopenCommand(const char16_t* systemFolder, const char16_t* appletPath, ShellCommand& command);

class CTouchApplet : public CAppletBase {
public:
    explicit CTouchApplet(const AppletSeams& seams);

    std::int32_t OnDblClk(platform::WindowId cplWindow, std::intptr_t item, std::intptr_t data) override;
    std::int32_t OnNewInquire(std::intptr_t item, NewCplInfo* info) override;

    // The settings record from the driver's Parameters key and the user's Mouse key, and back
    // (settings_store.cpp).
    void LoadSettings();
    void SaveSettings();

    // PanelSettings, with the panel run's driver handle between Port and DoubleClickHeight.
    std::uint32_t BeepMode = 0;
    std::uint32_t BeepFreq1 = 0;
    std::uint32_t BeepTime1 = 0;
    std::uint32_t BeepFreq2 = 0;
    std::uint32_t BeepTime2 = 0;
    std::uint32_t MouseMode = 0;
    std::int32_t Port = 0;
    std::unique_ptr<platform::DeviceHandle> DriverHandle;
    std::int32_t DoubleClickHeight = 0;
    std::int32_t DoubleClickSpeed = 0;
    std::uint32_t ScreenPost = 0;
    std::uint32_t RBNDelay = 0;

private:
    // Where the token is an administrator's filtered one, opens the panel again in an elevated process;
    // true when that has started, and this run then ends at once.
    bool ReopenElevated(platform::WindowId cplWindow);
    void ShowError(const char* message);
    // The one message of a run the driver's state refuses.
    void RefuseRun(platform::WindowId cplWindow, tavrex::DriverState state);
    void CopyIntoPages(CPanelDlg& dialog);
    void CopyFromPages(CPanelDlg& dialog);

    AppletSeams seams_;
};

}  // namespace panel
