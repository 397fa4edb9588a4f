// The calibrate page: when to calibrate, and a button that starts the calibrator.
#pragma once

#include <cstddef>

#include "panel/applet_seams.h"
#include "ui/page.h"

namespace panel {

inline constexpr std::size_t kCommandLineSize = 260;
inline constexpr const char* kCalibratorKeyPath = "Software\\Manufacturer\\Tavrex";
inline constexpr const char* kCalibratorFolderValue = "FilePath";

struct CalibrateSeams {
    platform::Registry& registry;
    Programs& programs;
    platform::MessageBoxes& messageBoxes;
    Module& module;
};

// The command line that starts "brennick.exe" in folder, quoted so that blanks in the folder cannot
// make the system start another program. folder is the raw value read, not necessarily terminated.
// False when the command line would not fit into its buffer.
bool ComposeCalibratorCommandLine(const char (&folder)[kCommandLineSize], char (&commandLine)[kCommandLineSize]);

class TabPage1 : public ui::Page {
public:
    explicit TabPage1(const CalibrateSeams& seams);

    void onCommand(int id, int code) override;
    // Starts the calibrator from the folder the registry names, without waiting for it.
    void StartCalibrator();

private:
    void ReportMissing();

    CalibrateSeams seams_;
};

}  // namespace panel
