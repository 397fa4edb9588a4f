// Turns the four raw touches of a pass into the calibration record and the controller's linearity values.
#pragma once

#include <cstdint>
#include <optional>

#include "calibrator/display_selection.h"
#include "calibrator/targets.h"
#include "driver/controller_frames.h"
#include "driver/records.h"

namespace calibrator {

enum class SampleLayout {
    Controller,  // four targets on the main diagonal; also yields the linearity values
    Corner,      // the four corners of the inner rectangle
};

// The targets whose touches fill samples[0..3] of ComputeCalibration, per layout.
inline constexpr std::uint32_t kControllerSampleTargets[4] = {TARGET_TOP_LEFT, TARGET_INNER_NEAR, TARGET_INNER_FAR,
                                                              TARGET_BOTTOM_RIGHT};
inline constexpr std::uint32_t kCornerSampleTargets[4] = {TARGET_TOP_LEFT, TARGET_BOTTOM_RIGHT, TARGET_BOTTOM_LEFT,
                                                          TARGET_TOP_RIGHT};

struct RawPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct CalibrationResult {
    tavrex::CalibrationRecord record{};
    // Controller layout only; a corner pass leaves the controller's values as they were.
    std::optional<tavrex::LinearityBytes> linearity;
};

// Never fails: any samples and monitor sizes give a record. The arithmetic is that of a 32-bit machine
// (wrapping, truncating division), so extreme samples give the same bits the driver has always received.
// Only W1, H1, W2 and H2 of the layout are read.
CalibrationResult ComputeCalibration(SampleLayout layout, const RawPoint (&samples)[4], const DisplayLayout& monitors);

}  // namespace calibrator
