// Choice of the calibration area from the screen-position code and the monitor layout.
#pragma once

#include <cstdint>

#include "driver/screen_position.h"
#include "platform/desktop.h"
#include "platform/types.h"

namespace calibrator {

using tavrex::SCREEN_ON_PRIMARY;
using tavrex::SCREEN_ON_SECONDARY;
using tavrex::SCREEN_SINGLE;
using tavrex::SCREEN_SPAN_BOTTOM;
using tavrex::SCREEN_SPAN_LEFT;
using tavrex::SCREEN_SPAN_RIGHT;
using tavrex::SCREEN_SPAN_TOP;

inline constexpr const char* kDisplay1Name = "\\\\.\\DISPLAY1";
inline constexpr const char* kDisplay2Name = "\\\\.\\DISPLAY2";

// The monitors named DISPLAY1 and DISPLAY2; all zero while no such monitor has been seen.
struct MonitorSlots {
    platform::Rect display1;
    platform::Rect display2;
    bool display1Seen = false;
    bool display2Seen = false;
};

// What the other steps of the calibrator take from the selection.
struct DisplayLayout {
    platform::Rect area;  // virtual-screen pixels
    std::int32_t W = 0, H = 0;
    std::int32_t X1 = 0, X3 = 0, Y1 = 0, Y3 = 0;  // target grid, relative to the area's corner
    std::int32_t W1 = 0, H1 = 0, W2 = 0, H2 = 0;  // sizes of DISPLAY1 and DISPLAY2
};

// Copies the monitor's rectangle into the slot whose name matches exactly; always asks for more.
bool RecordMonitorRect(MonitorSlots& slots, const platform::MonitorInfo& monitor);

// Slots for the whole desktop, folded in while its monitors are enumerated. A desktop without a
// DISPLAY1 (its primary monitor named otherwise) lends the primary monitor to slot 1, so that the
// single and spanning codes still cover the display the user sees instead of an empty area.
MonitorSlots RecordMonitors(platform::Monitors& monitors);

DisplayLayout SelectCalibrationArea(std::uint32_t screenPosition, const MonitorSlots& slots);

}  // namespace calibrator
