// Start-up of the calibrator: the checks that may refuse it, the window and the controller greeting.
#pragma once

#include "calibrator/calibrator.h"

namespace calibrator {

// 1 when the window is up and the passes can start; 0 when start-up refuses (after at most one message).
int InitInstance(Calibrator& app, int showCommand);

// 1 for OK, 2 for Cancel or the close box, -1 when the dialog cannot be created.
int ShowPrompt(Calibrator& app, const char* text, const char* caption);

}  // namespace calibrator
