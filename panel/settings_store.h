// What the settings store keeps beside the applet's record: the user's Mouse key and its values, and
// the module-wide text buffers they are read into. Loading and saving the record are the applet's
// LoadSettings and SaveSettings.
#pragma once

namespace panel {

inline constexpr const char* kMouseKeyPath = "Control Panel\\Mouse";
inline constexpr const char* kValueDoubleClickSpeed = "DoubleClickSpeed";
inline constexpr const char* kValueDoubleClickHeight = "DoubleClickHeight";
inline constexpr const char* kValueDoubleClickWidth = "DoubleClickWidth";

// Spaces at module load, and the last text read ever after, so a value that does not fit gives the
// previous one.
extern char DoubleClickSpeedText[5 + 1];
extern char DoubleClickHeightText[4 + 1];

}  // namespace panel
