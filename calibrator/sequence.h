// The calibration passes: what the window procedure does with each message, and the worker thread
// that collects the four touches, computes and applies the calibration.
#pragma once

#include <cstdint>

#include "calibrator/calibration_math.h"
#include "calibrator/calibrator.h"

namespace calibrator {

// The window procedure's part for the messages the calibrator handles; false for every other
// message, which goes to the default window procedure.
bool HandleCalibratorMessage(Calibrator& app, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

// After a start-up that succeeded: hides the pointer for the passes and releases the first one.
void StartPasses(Calibrator& app);

// The worker thread's body; argument is the Calibrator.
void CalibrationWorker(void* argument);

// Arms the driver's capture and polls every 50 ms for the touch: 1 with the point, or 0 when the
// stop flag ended the wait first.
int WaitForRawSample(Calibrator& app, RawPoint& point);

}  // namespace calibrator
