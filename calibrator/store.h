// Keeps a confirmed calibration in the driver's Parameters key, where the driver reads it when it loads.
#pragma once

#include "calibrator/calibrator.h"
#include "driver/records.h"

namespace calibrator {

// Writes Xc, XL, Yc, YL, Shp, Shs, Svp, Svs and Rotate as DWORDs, in that order, and nothing else.
// Without the right to write the key it tells the user and writes nothing; a single failing write
// is not reported and does not stop the others.
void StoreCalibration(Calibrator& app, const tavrex::CalibrationRecord& record);

}  // namespace calibrator
