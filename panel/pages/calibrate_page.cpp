#include "panel/pages/calibrate_page.h"

#include <algorithm>
#include <iterator>

#include "panel/resource_ids.h"
#include "panel/texts.h"

namespace panel {

namespace {

constexpr const char16_t kProgramName[] = u"\\brennick.exe";

}  // namespace

bool ComposeCalibratorCommandLine(const char16_t (&folder)[kCommandLineSize], CalibratorCommand& command) {
    command = {};
    const char16_t* end = std::find(std::begin(folder), std::end(folder), u'\0');
    if (end == std::end(folder)) return false;
    // A quote inside would end the program's name early; no folder name holds one.
    if (std::find(folder, end, u'"') != end) return false;
    const std::size_t length = static_cast<std::size_t>(end - folder);
    const std::size_t nameLength = std::size(kProgramName) - 1;
    if (1 + length + nameLength + 1 + 1 > kCommandLineSize) return false;
    char16_t* path = std::copy_n(kProgramName, nameLength, std::copy(folder, end, command.program));
    char16_t* line = command.commandLine;
    *line++ = u'"';
    line = std::copy(command.program, path, line);
    *line = u'"';
    return true;
}

TabPage1::TabPage1(const CalibrateSeams& seams) : ui::Page(IDD_CALIBRATE), seams_(seams) {}

void TabPage1::onCommand(int id, int code) {
    if (id == IDC_CALIBRATE && code == ui::kButtonClicked) StartCalibrator();
}

void TabPage1::StartCalibrator() {
    char16_t folder[kCommandLineSize] = {};
    {
        auto key = seams_.registry.open(platform::RootKey::LocalMachine, kCalibratorKeyPath, platform::kKeyQueryValue);
        if (!key) {
            ReportMissing();
            return;
        }
        // Without a folder the command line would name the program at the root of the current drive,
        // which anyone may have put there: it would run with the panel user's rights.
        std::uint32_t size = 0;
        if (!key->queryWideText(kCalibratorFolderValue, folder, kCommandLineSize - 1, size) || folder[0] == u'\0') {
            ReportMissing();
            return;
        }
    }
    CalibratorCommand command;
    if (!ComposeCalibratorCommandLine(folder, command)) {
        ReportMissing();
        return;
    }
    StartResult started = seams_.programs.start(command.program, command.commandLine, kSwShowDefault);
    // The calibrator asks for an administrator's rights: the same file, through the consent.
    if (started == StartResult::ElevationRequired)
        started = seams_.programs.shellExecute(window(), u"open", command.program, nullptr, kSwShowDefault);
    // A declined consent is the user's own answer.
    if (started == StartResult::Failed || started == StartResult::ElevationRequired) ReportMissing();
}

void TabPage1::onInit() {
    ui::Page::onInit();
    // The button starts a program that will ask for consent.
    if (seams_.token.elevation() == TokenElevation::Limited) controls().button(IDC_CALIBRATE).setShield(true);
}

void TabPage1::ReportMissing() {
    seams_.messageBoxes.show(window(), text::kCalibratorMissing, seams_.module.applicationName(), platform::kMbOk);
}

}  // namespace panel
