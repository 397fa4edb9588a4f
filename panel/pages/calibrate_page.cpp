#include "panel/pages/calibrate_page.h"

#include <cstring>

#include "panel/resource_ids.h"
#include "panel/texts.h"

namespace panel {

namespace {

constexpr const char kProgramName[] = "\\brennick.exe";

}  // namespace

bool ComposeCalibratorCommandLine(const char (&folder)[kCommandLineSize], char (&commandLine)[kCommandLineSize]) {
    std::memset(commandLine, 0, sizeof commandLine);
    const void* end = std::memchr(folder, '\0', sizeof folder);
    if (!end) return false;
    const std::size_t length = static_cast<const char*>(end) - folder;
    // A quote inside would end the program's name early; no folder name holds one.
    if (std::memchr(folder, '"', length)) return false;
    const std::size_t nameLength = sizeof kProgramName - 1;
    if (1 + length + nameLength + 1 + 1 > sizeof commandLine) return false;
    char* out = commandLine;
    *out++ = '"';
    std::memcpy(out, folder, length);
    out += length;
    std::memcpy(out, kProgramName, nameLength);
    out += nameLength;
    *out = '"';
    return true;
}

TabPage1::TabPage1(const CalibrateSeams& seams) : ui::Page(IDD_CALIBRATE), seams_(seams) {}

void TabPage1::onCommand(int id, int code) {
    if (id == IDC_CALIBRATE && code == ui::kButtonClicked) StartCalibrator();
}

void TabPage1::StartCalibrator() {
    char folder[kCommandLineSize] = {};
    {
        auto key = seams_.registry.open(platform::RootKey::LocalMachine, kCalibratorKeyPath, platform::kKeyQueryValue);
        if (!key) {
            ReportMissing();
            return;
        }
        // Without a folder the command line would name the program at the root of the current drive,
        // which anyone may have put there: it would run with the panel user's rights.
        std::uint32_t size = 0;
        if (!key->queryText(kCalibratorFolderValue, folder, sizeof folder - 1, size) || folder[0] == '\0') {
            ReportMissing();
            return;
        }
    }
    char commandLine[kCommandLineSize];
    if (!ComposeCalibratorCommandLine(folder, commandLine) || !seams_.programs.start(commandLine, kSwShowDefault))
        ReportMissing();
}

void TabPage1::ReportMissing() {
    seams_.messageBoxes.show(window(), text::kCalibratorMissing, seams_.module.applicationName(), platform::kMbOk);
}

}  // namespace panel
