// How the stand-in driver places a raw touch on the calibration area under the calibration in force.
#pragma once

#include <cstdint>

#include "driver/records.h"

namespace standin {

struct AreaPoint {
    bool mapped = false;  // false: the extent that drives one of the screen axes is 0
    std::int32_t x = 0;   // relative to the area's top-left corner, like the target centres
    std::int32_t y = 0;
};

// Rotate names the screen axis that raw y follows (0: +Y, 90: +X, 180: -Y, 270: -X), and the
// calibrator has already put the direction into the signs of XL and YL. So only the pairing of axes
// depends on Rotate: for 0 and 180 raw x drives screen X and raw y drives screen Y, for 90 and 270
// raw y drives screen X and raw x drives screen Y (any other value reads as 0). Along each screen
// axis of size S, driven by raw r with centre c and signed extent L over the whole area,
//     screen = S/2 + (r - c) * S / L,
// rounded to the nearest pixel (halves away from the centre) and held within 32 bits. The targets
// at S/4 and 3S/4 are L/2 apart in raw units, which is how the calibrator measured L. The display
// shares (Shp ... Svs) place the area on the desktop and play no part here.
AreaPoint MapToArea(const tavrex::CalibrationRecord& calibration, std::int32_t width, std::int32_t height,
                    std::int32_t rawX, std::int32_t rawY);

}  // namespace standin
