// The retry loops around the controller commands, each with its fixed attempts and waits.
#pragma once

#include "calibrator/calibrator.h"

namespace calibrator {

// "ET3" at start-up: 5 attempts; controllerMode ends up telling whether the controller acknowledged.
void GreetController(Calibrator& app);

// After a pass in the controller layout: loads the linearity values ("SP", read back with "GP",
// 7 attempts), then takes the controller back to normal operation ("ET0", 5 attempts).
void LoadLinearityAndLeaveCalibrationMode(Calibrator& app);

// "ET3" before a new pass: 3 attempts; the next pass's layout follows the outcome.
void ReenterCalibrationMode(Calibrator& app);

// "ET0" when the user leaves with ESC: 3 attempts.
void LeaveCalibrationModeOnEscape(Calibrator& app);

// "ET0" when the program ends after a confirmed pass: 5 attempts.
void LeaveCalibrationModeOnEnd(Calibrator& app);

}  // namespace calibrator
