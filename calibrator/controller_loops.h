// The retry loops around the controller commands, with their fixed attempts and waits.
#pragma once

#include "calibrator/calibrator.h"

namespace calibrator {

// "ET3" at start-up: up to 5 attempts; sets controllerMode to whether the controller acknowledged.
void GreetController(Calibrator& app);

}  // namespace calibrator
