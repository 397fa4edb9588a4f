#include "standin/calibration_map.h"

namespace standin {

namespace {

using std::int32_t;
using std::int64_t;
using std::uint32_t;
using std::uint64_t;

constexpr int64_t kInt32Max = 2147483647;
constexpr int64_t kInt32Min = -kInt32Max - 1;

// A 64-bit quotient on i686 is a call into libgcc; shifting and subtracting keeps this file free of
// runtime helpers, so any shell can compile it in as it is. The remainder stays below the divisor.
uint64_t DivideMagnitude(uint64_t dividend, uint32_t divisor, uint32_t& remainder) {
    uint64_t quotient = 0;
    uint64_t rest = 0;
    for (int bit = 63; bit >= 0; --bit) {
        rest = (rest << 1) | ((dividend >> bit) & 1u);
        if (rest >= divisor) {
            rest -= divisor;
            quotient |= uint64_t{1} << bit;
        }
    }
    remainder = static_cast<uint32_t>(rest);
    return quotient;
}

uint32_t Magnitude(int32_t v) { return v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v); }

// Any int32 inputs fit: |raw - centre| < 2^32 and |size| <= 2^31, so the product stays below 2^63.
int32_t MapAxis(int32_t raw, int32_t centre, int32_t size, int32_t extent) {
    const int64_t product = (int64_t{raw} - int64_t{centre}) * int64_t{size};
    const bool negative = (product < 0) != (extent < 0);
    const uint64_t numerator = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
    const uint32_t divisor = Magnitude(extent);
    uint32_t remainder = 0;
    uint64_t quotient = DivideMagnitude(numerator, divisor, remainder);
    if (uint64_t{remainder} * 2 >= divisor) ++quotient;
    const int64_t offset = negative ? -static_cast<int64_t>(quotient) : static_cast<int64_t>(quotient);
    const int64_t screen = int64_t{size / 2} + offset;
    if (screen > kInt32Max) return static_cast<int32_t>(kInt32Max);
    if (screen < kInt32Min) return static_cast<int32_t>(kInt32Min);
    return static_cast<int32_t>(screen);
}

}  // namespace

AreaPoint MapToArea(const tavrex::CalibrationRecord& c, int32_t width, int32_t height, int32_t rawX, int32_t rawY) {
    const bool swapped = c.Rotate == 90 || c.Rotate == 270;
    AreaPoint point;
    if (c.XL == 0 || c.YL == 0) return point;
    point.mapped = true;
    if (swapped) {
        point.x = MapAxis(rawY, c.Yc, width, c.YL);
        point.y = MapAxis(rawX, c.Xc, height, c.XL);
    } else {
        point.x = MapAxis(rawX, c.Xc, width, c.XL);
        point.y = MapAxis(rawY, c.Yc, height, c.YL);
    }
    return point;
}

}  // namespace standin
