// The calibrate page: when to calibrate, and a button that starts the calibrator.
#pragma once

#include <cstddef>

#include "panel/applet_seams.h"
#include "ui/page.h"

namespace panel {

// MAX_PATH UTF-16 units: the folder as read, and the command line built from it.
inline constexpr std::size_t kCommandLineSize = 260;
inline constexpr const char* kCalibratorKeyPath = "Software\\Manufacturer\\Tavrex";
inline constexpr const char* kCalibratorFolderValue = "FilePath";

struct CalibrateSeams {
    platform::Registry& registry;
    Programs& programs;
    platform::MessageBoxes& messageBoxes;
    Module& module;
    ProcessToken& token;
};

// "brennick.exe" in folder: its path, and the command line that starts it, the path quoted so that blanks
// in the folder cannot make the system start another program. folder is the raw value read, not
// necessarily terminated. False when the command line would not fit into its buffer.
struct CalibratorCommand {
    char16_t program[kCommandLineSize];
    char16_t commandLine[kCommandLineSize];
};
bool ComposeCalibratorCommandLine(const char16_t (&folder)[kCommandLineSize], CalibratorCommand& command);

class TabPage1 : public ui::Page {
public:
    explicit TabPage1(const CalibrateSeams& seams);

    // The calibrate button shows the shield where the calibrator will ask for consent.
    void onInit() override;
    void onCommand(int id, int code) override;
    // Starts the calibrator from the folder the registry names, without waiting for it; through the
    // consent where it needs an administrator's rights that this process lacks.
    void StartCalibrator();

private:
    void ReportMissing();

    CalibrateSeams seams_;
};

}  // namespace panel
