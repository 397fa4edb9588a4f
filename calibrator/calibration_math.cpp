#include "calibrator/calibration_math.h"

#include <limits>

namespace calibrator {

namespace {

using std::int32_t;
using std::uint32_t;

// Raw samples come straight from the panel and may be anything. These give the results of 32-bit
// two's-complement hardware without signed overflow in C++: +, -, * wrap through uint32_t, and
// the one quotient the hardware traps on (INT32_MIN / -1) is taken as its wrapped value.
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

int32_t Add(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int32_t Sub(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int32_t Mul(int32_t a, int32_t b) { return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }
int32_t Neg(int32_t a) { return Sub(0, a); }
int32_t Abs(int32_t a) { return a < 0 ? Neg(a) : a; }
// Truncates toward zero; the divisor is never 0 (callers check).
int32_t Div(int32_t a, int32_t b) { return (a == kMin && b == -1) ? kMin : a / b; }
int32_t Half(int32_t a) { return Div(a, 2); }

constexpr int32_t kMaxCorrection = 3072;

// Step 1. Without a DISPLAY1 and a DISPLAY2 the sums and heights can be 0; a share that cannot be
// divided out takes the value it has on a single monitor.
void ComputeShares(const DisplayLayout& m, tavrex::CalibrationRecord& r) {
    const int32_t widths = Add(m.W1, m.W2);
    if (widths != 0) {
        r.Shp = Div(Mul(m.W1, 4096), widths);
        r.Shs = Div(Mul(m.W2, 4096), widths);
    } else {
        r.Shp = 4096;
        r.Shs = 0;
    }
    const bool firstTaller = m.H1 > m.H2;
    const int32_t divisor = firstTaller ? m.H1 : m.H2;
    if (divisor == 0) {
        r.Svp = 4096;
        r.Svs = 0;
    } else if (firstTaller) {
        r.Svp = 4096;
        r.Svs = Div(Mul(m.H2, 4096), m.H1);
    } else {
        r.Svs = 4096;
        r.Svp = Div(Mul(m.H1, 4096), m.H2);
    }
}

// Step 2 for one axis: a panel whose inner targets lie farther apart than half the outer span is
// compressed towards its ends; the excess C shortens the span at its larger end and the controller
// is told 3072 - C. The three cases exclude each other: the adjusted ends may cross, and that is kept.
int32_t CorrectAxis(int32_t& tl, int32_t n, int32_t f, int32_t& br) {
    int32_t C = 0;
    if (br > tl) {
        C = Sub(Mul(2, Sub(f, n)), Sub(br, tl));
        if (C < 0 || C > kMaxCorrection) C = 0;
        br = Sub(br, C);
    } else if (br < tl) {
        C = Sub(Mul(2, Sub(n, f)), Sub(tl, br));
        if (C < 0 || C > kMaxCorrection) C = 0;
        tl = Sub(tl, C);
    }
    return kMaxCorrection - C;
}

tavrex::LinearityBytes ComputeControllerLayout(const RawPoint (&s)[4], tavrex::CalibrationRecord& r) {
    RawPoint TL = s[0];
    const RawPoint N = s[1];
    const RawPoint F = s[2];
    RawPoint BR = s[3];
    const int32_t VX = CorrectAxis(TL.x, N.x, F.x, BR.x);
    const int32_t VY = CorrectAxis(TL.y, N.y, F.y, BR.y);
    r.Xc = Half(Add(TL.x, BR.x));
    r.Yc = Half(Add(TL.y, BR.y));
    r.XL = Mul(2, Sub(BR.x, TL.x));
    r.YL = Mul(2, Sub(BR.y, TL.y));
    tavrex::LinearityBytes bytes;
    bytes.xHigh = static_cast<std::uint8_t>(VX / 256);
    bytes.xLow = static_cast<std::uint8_t>(VX % 256);
    bytes.yHigh = static_cast<std::uint8_t>(VY / 256);
    bytes.yLow = static_cast<std::uint8_t>(VY % 256);
    return bytes;
}

int Sign(int32_t v) { return (v > 0) - (v < 0); }

// How raw x and raw y lie on the screen, by the directions of the two diagonals. Rotate names the
// screen axis raw y follows (0: +Y, 90: +X, 180: -Y, 270: -X); a negated extent means the raw
// coordinate shrinks along the screen axis it follows.
struct Orientation {
    int dx, dy, ex, ey;
    int32_t Rotate;
    bool negateXL, negateYL;
};
constexpr Orientation kOrientations[] = {
    {+1, +1, +1, -1, 0, false, false},  {-1, +1, +1, +1, 90, true, false},  {-1, -1, -1, +1, 180, true, true},
    {+1, -1, -1, -1, 270, false, true}, {+1, +1, -1, +1, 90, false, false}, {+1, -1, +1, +1, 180, false, true},
    {-1, -1, +1, -1, 270, true, true},  {-1, +1, -1, -1, 0, true, false},
};

void ComputeCornerLayout(const RawPoint (&s)[4], tavrex::CalibrationRecord& r) {
    const RawPoint TL = s[0];
    const RawPoint BR = s[1];
    const RawPoint BL = s[2];
    const RawPoint TR = s[3];
    r.firstMeanX = Half(Add(TL.x, BR.x));
    r.firstMeanY = Half(Add(TL.y, BR.y));
    r.secondMeanX = Half(Add(BL.x, TR.x));
    r.secondMeanY = Half(Add(BL.y, TR.y));
    r.Xc = Half(Add(r.firstMeanX, r.secondMeanX));
    r.Yc = Half(Add(r.firstMeanY, r.secondMeanY));

    const int32_t dx = Sub(BR.x, TL.x), dy = Sub(BR.y, TL.y);
    const int32_t ex = Sub(TR.x, BL.x), ey = Sub(TR.y, BL.y);
    if (dx != 0 && dy != 0) {
        const int32_t spanDx = Abs(Mul(2, dx)), spanDy = Abs(Mul(2, dy));
        const int32_t spanEx = Abs(Mul(2, ex)), spanEy = Abs(Mul(2, ey));
        // The first pair belongs to the diagonal along which raw x and raw y change together.
        const bool sameSign = (dx > 0) == (dy > 0);
        r.firstSpanX = sameSign ? spanDx : spanEx;
        r.firstSpanY = sameSign ? spanDy : spanEy;
        r.secondSpanX = sameSign ? spanEx : spanDx;
        r.secondSpanY = sameSign ? spanEy : spanDy;
        r.XL = Half(Add(spanDx, spanEx));
        r.YL = Half(Add(spanDy, spanEy));
    } else {
        r.XL = Mul(2, dx);
        r.YL = Mul(2, dy);
    }

    r.Rotate = 0;
    for (const Orientation& o : kOrientations) {
        if (o.dx != Sign(dx) || o.dy != Sign(dy) || o.ex != Sign(ex) || o.ey != Sign(ey)) continue;
        r.Rotate = o.Rotate;
        if (o.negateXL) r.XL = Neg(r.XL);
        if (o.negateYL) r.YL = Neg(r.YL);
        break;
    }
}

// What the driver assumes when a value is missing; a zero extent would leave it nothing to divide by.
void ApplyDefaults(tavrex::CalibrationRecord& r) {
    if (r.Xc == 0) r.Xc = tavrex::kDefaultCalibration.Xc;
    if (r.Yc == 0) r.Yc = tavrex::kDefaultCalibration.Yc;
    if (r.XL == 0) r.XL = tavrex::kDefaultCalibration.XL;
    if (r.YL == 0) r.YL = tavrex::kDefaultCalibration.YL;
}

// The diagonal layout cannot tell a swapped panel from a reversed one; the signs decide alone.
int32_t ControllerRotate(int32_t XL, int32_t YL) {
    if (YL > 0) return XL > 0 ? 0 : 90;
    return XL < 0 ? 180 : 270;
}

}  // namespace

CalibrationResult ComputeCalibration(SampleLayout layout, const RawPoint (&samples)[4], const DisplayLayout& monitors) {
    CalibrationResult result;
    ComputeShares(monitors, result.record);
    if (layout == SampleLayout::Controller) {
        result.linearity = ComputeControllerLayout(samples, result.record);
        ApplyDefaults(result.record);
        result.record.Rotate = ControllerRotate(result.record.XL, result.record.YL);
    } else {
        ComputeCornerLayout(samples, result.record);
        ApplyDefaults(result.record);
    }
    return result;
}

}  // namespace calibrator
