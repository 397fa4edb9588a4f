#include "panel/touch_applet.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "driver/driver_check.h"
#include "driver/tavrex_device.h"
#include "panel/panel_dialog.h"
#include "panel/resource_ids.h"
#include "panel/texts.h"

namespace panel {

namespace {

constexpr int kDialogOk = 1;

}  // namespace

CTouchApplet::CTouchApplet(const AppletSeams& seams) : CAppletBase(seams.module), seams_(seams) {}

std::int32_t CTouchApplet::OnNewInquire(std::intptr_t, NewCplInfo* info) {
    return FillNewCplInfo(info, IDI_APPLET, text::kItemName, text::kItemDescription);
}

std::int32_t CTouchApplet::OnDblClk(platform::WindowId cplWindow, std::intptr_t, std::intptr_t) {
    if (ReopenElevated(cplWindow)) return 0;
    // The panel holds the driver unshared for the whole run.
    tavrex::DriverCheck check = tavrex::CheckDriver(seams_.devices, seams_.registry, 0);
    DriverHandle = std::move(check.device);
    if (check.state != tavrex::DriverState::Ready) {
        RefuseRun(cplWindow, check.state);
        DriverHandle.reset();
        return 0;
    }

    CPanelDlg dialog(cplWindow, seams_);
    LoadSettings();
    CopyIntoPages(dialog);
    if (seams_.dialogRunner.run(cplWindow, dialog) == kDialogOk) {
        CopyFromPages(dialog);
        SaveSettings();
        // In force even when saving failed: the user confirmed it.
        seams_.doubleClickTime.set(static_cast<std::uint32_t>(DoubleClickSpeed));
    }
    tavrex::ReloadSettings(*DriverHandle);
    DriverHandle.reset();
    return 0;
}

bool CTouchApplet::ReopenElevated(platform::WindowId cplWindow) {
    // An administrator's filtered token may not write the driver's key, and the calibrator it starts would
    // refuse: the panel runs elevated instead, after one consent. Never from an elevated process.
    if (seams_.token.elevation() != TokenElevation::Limited) return false;
    ShellCommand command;
    if (!ComposeReopenCommand(seams_.programs.systemFolder(), seams_.module.path(), command)) return false;
    // Declined, or not to be started: the panel runs here, with this token's rights.
    return seams_.programs.shellExecute(cplWindow, u"runas", command.file, command.parameters, kSwShowNormal) ==
           StartResult::Started;
}

bool ComposeReopenCommand(const char16_t* systemFolder, const char16_t* appletPath, ShellCommand& command) {
    command = {};
    if (!systemFolder || !appletPath || !*systemFolder || !*appletPath) return false;
    // A quote in the path would end it early.
    if (std::u16string_view(appletPath).find(u'"') != std::u16string_view::npos) return false;
    const std::u16string_view parts[][3] = {{systemFolder, u"\\rundll32.exe", u""},
                                            {u"shell32.dll,Control_RunDLL \"", appletPath, u"\""}};
    char16_t* const outs[] = {command.file, command.parameters};
    for (std::size_t i = 0; i < std::size(outs); ++i) {
        std::size_t used = 0;
        for (std::u16string_view part : parts[i]) {
            if (part.size() > ShellCommand::kSize - 1 - used) return false;
            std::copy(part.begin(), part.end(), outs[i] + used);
            used += part.size();
        }
    }
    return true;
}

void CTouchApplet::RefuseRun(platform::WindowId cplWindow, tavrex::DriverState state) {
    switch (state) {
        case tavrex::DriverState::NotLoaded:
            seams_.messageBoxes.show(cplWindow, text::kRestartAfterInstall, text::kNotice, platform::kMbOk);
            break;
        case tavrex::DriverState::Updated:
            seams_.messageBoxes.show(cplWindow, text::kRestartAfterUpdate, text::kNotice, platform::kMbOk);
            break;
        case tavrex::DriverState::NotInstalled:
        case tavrex::DriverState::NoAnswer:
            seams_.messageBoxes.show(cplWindow, text::kNotInstalled, text::kError,
                                     platform::kMbIconError | platform::kMbOk);
            break;
        case tavrex::DriverState::Ready: break;
    }
}

void CTouchApplet::CopyIntoPages(CPanelDlg& dialog) {
    dialog.DriverHandle = DriverHandle.get();
    dialog.tabPage2.driverHandle = DriverHandle.get();
    dialog.tabPage2.modeIndex = static_cast<std::int32_t>(BeepMode);
    dialog.tabPage2.frequency = static_cast<std::int32_t>(BeepFreq1);
    dialog.tabPage2.duration = static_cast<std::int32_t>(BeepTime1);
    dialog.tabPage3.modeIndex = static_cast<std::int32_t>(MouseMode);
    dialog.tabPage3.doubleClickArea = DoubleClickHeight;
    dialog.tabPage3.doubleClickSpeed = DoubleClickSpeed;
    dialog.tabPage3.rightClickDelay = RBNDelay;
    dialog.tabPage4.Port = Port;
    dialog.screenPos.ScreenPost = ScreenPost;
}

void CTouchApplet::CopyFromPages(CPanelDlg& dialog) {
    BeepMode = static_cast<std::uint32_t>(dialog.tabPage2.modeIndex);
    BeepFreq1 = static_cast<std::uint32_t>(dialog.tabPage2.frequency);
    BeepTime1 = static_cast<std::uint32_t>(dialog.tabPage2.duration);
    BeepFreq2 = BeepFreq1;
    BeepTime2 = BeepTime1;
    MouseMode = static_cast<std::uint32_t>(dialog.tabPage3.modeIndex);
    DoubleClickHeight = dialog.tabPage3.doubleClickArea;
    DoubleClickSpeed = dialog.tabPage3.doubleClickSpeed;
    RBNDelay = dialog.tabPage3.rightClickDelay;
    Port = dialog.tabPage4.Port;
    ScreenPost = dialog.screenPos.ScreenPost;
}

}  // namespace panel
