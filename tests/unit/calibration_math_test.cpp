#include "calibrator/calibration_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "driver/controller_frames.h"
#include "driver/records.h"

namespace calibrator {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

DisplayLayout Monitors(std::int32_t W1, std::int32_t H1, std::int32_t W2 = 0, std::int32_t H2 = 0) {
    DisplayLayout layout;
    layout.W1 = W1;
    layout.H1 = H1;
    layout.W2 = W2;
    layout.H2 = H2;
    return layout;
}

const DisplayLayout kOneMonitor = Monitors(1024, 768);

CalibrationResult Corner(RawPoint TL, RawPoint BR, RawPoint BL, RawPoint TR, const DisplayLayout& m = kOneMonitor) {
    const RawPoint samples[4] = {TL, BR, BL, TR};
    return ComputeCalibration(SampleLayout::Corner, samples, m);
}

CalibrationResult Controller(RawPoint TL, RawPoint N, RawPoint F, RawPoint BR) {
    const RawPoint samples[4] = {TL, N, F, BR};
    return ComputeCalibration(SampleLayout::Controller, samples, kOneMonitor);
}

std::vector<std::int32_t> Fields(const tavrex::CalibrationRecord& record) {
    std::vector<std::int32_t> fields;
    for (int i = 0; i < 17; ++i) fields.push_back(tavrex::RecordField(record, i));
    return fields;
}

int Linearity(std::uint8_t high, std::uint8_t low) { return high * 256 + low; }

TEST(CalibrationMath, WorkedExamplesGiveEveryField) {
    const auto upright = Corner({1000, 900}, {3000, 2900}, {1010, 2890}, {2990, 910});
    EXPECT_EQ(Fields(upright.record), (std::vector<std::int32_t>{2000, 1900, 3980, 3980, 0, 4096, 0, 4096, 0, 2000,
                                                                 1900, 4000, 4000, 2000, 1900, 3960, 3960}));
    EXPECT_FALSE(upright.linearity.has_value());

    const auto controller = Controller({1000, 900}, {1480, 1400}, {2520, 2400}, {3000, 2900});
    EXPECT_EQ(Fields(controller.record),
              (std::vector<std::int32_t>{1960, 1900, 3840, 4000, 0, 4096, 0, 4096, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(controller.linearity.has_value());
    const tavrex::LinearityBytes expected{11, 176, 12, 0};
    EXPECT_EQ(*controller.linearity, expected);
    const tavrex::ControllerCommand sp = tavrex::MakeSpCommand(*controller.linearity);
    const std::uint8_t frame[] = {0x01, 0x53, 0x50, 0xB0, 0x0B, 0xB0, 0x0B, 0x00, 0x0C, 0x00, 0x0C, 0x0D};
    ASSERT_EQ(sp.sendLength, sizeof frame);
    for (std::size_t i = 0; i < sizeof frame; ++i) EXPECT_EQ(sp.frame[i], frame[i]) << "byte " << i;

    const auto swapped = Corner({900, 1000}, {2900, 3000}, {2890, 1010}, {910, 2990}, Monitors(1280, 1024, 1024, 768));
    EXPECT_EQ(Fields(swapped.record), (std::vector<std::int32_t>{1900, 2000, 3980, 3980, 90, 2275, 1820, 4096, 3072,
                                                                 1900, 2000, 4000, 4000, 1900, 2000, 3960, 3960}));
}

TEST(CalibrationMath, LinearityCorrectionAppliesUpTo3072Only) {
    // x: span 4000, inner targets 3536 apart: C = 3072 exactly, applied, V = 0.
    auto r = Controller({1000, 1000}, {1232, 1500}, {4768, 2500}, {5000, 3000});
    EXPECT_EQ(r.record.Xc, (1000 + 1928) / 2);
    EXPECT_EQ(r.record.XL, 2 * 928);
    EXPECT_EQ(Linearity(r.linearity->xHigh, r.linearity->xLow), 0);
    EXPECT_EQ(Linearity(r.linearity->yHigh, r.linearity->yLow), 3072);

    // x: C = 3073 counts as none; y: the inner targets closer than linear give a negative C, also none.
    r = Controller({1000, 1000}, {1232, 1600}, {4769, 2400}, {5001, 3000});
    EXPECT_EQ(r.record.Xc, 3000);
    EXPECT_EQ(r.record.XL, 8002);
    EXPECT_EQ(r.record.YL, 4000);
    EXPECT_EQ(Linearity(r.linearity->xHigh, r.linearity->xLow), 3072);
    EXPECT_EQ(Linearity(r.linearity->yHigh, r.linearity->yLow), 3072);

    // A reversed y axis shortens the span at TL, the larger end: C = 2400 - 2000 = 400.
    r = Controller({1000, 3000}, {1500, 2600}, {2500, 1400}, {3000, 1000});
    EXPECT_EQ(r.record.Yc, (2600 + 1000) / 2);
    EXPECT_EQ(r.record.YL, -3200);
    EXPECT_EQ(r.record.Rotate, 270);
    EXPECT_EQ(*r.linearity, (tavrex::LinearityBytes{12, 0, 10, 112}));
}

TEST(CalibrationMath, ControllerEndsThatCrossOrMeetStillGiveAnUsableRecord) {
    auto r = Controller({100, 100}, {300, 300}, {2336, 600}, {1100, 900});
    EXPECT_EQ(r.record.Xc, -936);
    EXPECT_EQ(r.record.Yc, 500);
    EXPECT_EQ(r.record.XL, -4144);
    EXPECT_EQ(r.record.YL, 1600);
    EXPECT_EQ(r.record.Rotate, 90);
    EXPECT_EQ(Linearity(r.linearity->xHigh, r.linearity->xLow), 0);

    // C = 3072 pulls BR.x exactly onto TL.x: the zero extent takes the default.
    r = Controller({1000, 1000}, {1500, 1500}, {4572, 2500}, {4072, 3000});
    EXPECT_EQ(r.record.Xc, 1000);
    EXPECT_EQ(r.record.XL, 1114);
    EXPECT_EQ(r.record.Rotate, 0);

    // Touches all at one point: both extents default, and so do centres that average to 0.
    r = Controller({0, 0}, {0, 0}, {0, 0}, {0, 0});
    EXPECT_EQ(Fields(r.record),
              (std::vector<std::int32_t>{892, 520, 1114, 812, 0, 4096, 0, 4096, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(*r.linearity, (tavrex::LinearityBytes{12, 0, 12, 0}));

    // Each quadrant of extent signs has its own Rotate.
    const struct {
        int xs, ys;
        std::int32_t rotate;
    } quadrants[] = {{+1, +1, 0}, {-1, +1, 90}, {-1, -1, 180}, {+1, -1, 270}};
    for (const auto& q : quadrants) {
        r = Controller({2000, 2000}, {2000 + q.xs * 250, 2000 + q.ys * 250}, {2000 + q.xs * 750, 2000 + q.ys * 750},
                       {2000 + q.xs * 1000, 2000 + q.ys * 1000});
        EXPECT_EQ(r.record.Rotate, q.rotate) << q.xs << " " << q.ys;
        EXPECT_EQ(r.record.XL, q.xs * 2000);
        EXPECT_EQ(r.record.YL, q.ys * 2000);
    }
}

TEST(CalibrationMath, CornerSamplesOnOneLineKeepSignedExtents) {
    const auto r = Corner({1000, 2900}, {1000, 900}, {1000, 890}, {1000, 2910});
    EXPECT_EQ(r.record.XL, 1114);
    EXPECT_EQ(r.record.YL, -4000);
    EXPECT_EQ(r.record.Rotate, 0);
    EXPECT_EQ(r.record.Xc, 1000);
    EXPECT_EQ(r.record.Yc, 1900);
    EXPECT_EQ(r.record.firstSpanX, 0);
    EXPECT_EQ(r.record.firstSpanY, 0);
    EXPECT_EQ(r.record.secondSpanX, 0);
    EXPECT_EQ(r.record.secondSpanY, 0);
}

TEST(CalibrationMath, NegativeMeansTruncateTowardZero) {
    const auto r = Corner({-101, -7}, {-100, -4}, {-3, -1}, {0, 0});
    EXPECT_EQ(r.record.firstMeanX, -100);
    EXPECT_EQ(r.record.firstMeanY, -5);
    EXPECT_EQ(r.record.secondMeanX, -1);
    EXPECT_EQ(r.record.Xc, -50);  // (-100 + -1) / 2
    EXPECT_EQ(r.record.Yc, -2);   // (-5 + 0) / 2
}

TEST(CalibrationMath, DisplayShares) {
    auto shares = [](const DisplayLayout& m) {
        const auto r = Corner({1000, 900}, {3000, 2900}, {1010, 2890}, {2990, 910}, m).record;
        return std::vector<std::int32_t>{r.Shp, r.Shs, r.Svp, r.Svs};
    };
    EXPECT_EQ(shares(Monitors(1280, 1024, 1024, 768)), (std::vector<std::int32_t>{2275, 1820, 4096, 3072}));
    EXPECT_EQ(shares(Monitors(1024, 768, 1280, 1024)), (std::vector<std::int32_t>{1820, 2275, 3072, 4096}));
    EXPECT_EQ(shares(Monitors(1024, 768, 1024, 768)), (std::vector<std::int32_t>{2048, 2048, 4096, 4096}));
    // Nothing to divide by: no DISPLAY1 or DISPLAY2, or widths without heights.
    EXPECT_EQ(shares(Monitors(0, 0)), (std::vector<std::int32_t>{4096, 0, 4096, 0}));
    EXPECT_EQ(shares(Monitors(1024, 0)), (std::vector<std::int32_t>{4096, 0, 4096, 0}));
    EXPECT_EQ(shares(Monitors(1024, 0, -1024, -5)), (std::vector<std::int32_t>{4096, 0, 4096, 0}));
    EXPECT_EQ(shares(Monitors(0, 0, 1024, 768)), (std::vector<std::int32_t>{0, 4096, 0, 4096}));
    // Absurd sizes wrap as on a 32-bit machine, including the quotient that traps there (INT32_MIN / -1).
    EXPECT_EQ(shares(Monitors(600000, 768)), (std::vector<std::int32_t>{-3062, 0, 4096, 0}));
    EXPECT_EQ(shares(Monitors(524288, 768, -524289, 0))[0], kMin);
    EXPECT_EQ(shares(Monitors(524288, 768, -524289, 0))[1], -2147479552);
}

TEST(CalibrationMath, EveryRowOfTheOrientationTable) {
    const struct {
        int dx, dy, ex, ey;
        std::int32_t rotate;
        int xlSign, ylSign;
    } rows[] = {
        {+1, +1, +1, -1, 0, +1, +1},
        {-1, +1, +1, +1, 90, -1, +1},
        {-1, -1, -1, +1, 180, -1, -1},
        {+1, -1, -1, -1, 270, +1, -1},
        {+1, +1, -1, +1, 90, +1, +1},
        {+1, -1, +1, +1, 180, +1, -1},
        {-1, -1, +1, -1, 270, -1, -1},
        {-1, +1, -1, -1, 0, -1, +1},
        // Combinations outside the table, with or without a zero among the inner pair.
        {+1, +1, +1, +1, 0, +1, +1},
        {-1, -1, -1, -1, 0, +1, +1},
        {+1, -1, 0, -1, 0, +1, +1},
    };
    for (const auto& row : rows) {
        // |2dx| = 1200 and |2ex| = 800 give |XL| = 1000; |2dy| = 1400 and |2ey| = 600 give |YL| = 1000.
        const std::int32_t xl = (1200 + (row.ex ? 800 : 0)) / 2, yl = (1400 + (row.ey ? 600 : 0)) / 2;
        const auto r = Corner({5000, 5000}, {5000 + row.dx * 600, 5000 + row.dy * 700}, {5000, 5000},
                              {5000 + row.ex * 400, 5000 + row.ey * 300});
        SCOPED_TRACE(testing::Message() << row.dx << row.dy << row.ex << row.ey);
        EXPECT_EQ(r.record.Rotate, row.rotate);
        EXPECT_EQ(r.record.XL, row.xlSign * xl);
        EXPECT_EQ(r.record.YL, row.ylSign * yl);
        // The first span pair is the diagonal along which raw x and raw y change together.
        const bool firstIsTlBr = (row.dx > 0) == (row.dy > 0);
        EXPECT_EQ(r.record.firstSpanX, firstIsTlBr ? 1200 : (row.ex ? 800 : 0));
        EXPECT_EQ(r.record.secondSpanY, firstIsTlBr ? (row.ey ? 600 : 0) : 1400);
    }
}

TEST(CalibrationMath, ExtremeSamplesWrapAsA32BitMachine) {
    // 2 * 2^30 wraps to INT32_MIN, whose absolute value is itself; the two spans then sum to 0.
    const auto r = Corner({0, 0}, {1 << 30, 100}, {0, 100}, {1 << 30, 0});
    EXPECT_EQ(r.record.firstSpanX, kMin);
    EXPECT_EQ(r.record.secondSpanX, kMin);
    EXPECT_EQ(r.record.XL, 1114);
    EXPECT_EQ(r.record.YL, 200);
    EXPECT_EQ(r.record.Rotate, 0);

    // Ends at the two limits: the span INT32_MAX - INT32_MIN wraps to -1, so C = 0 - (-1) = 1 is a valid
    // correction; the shortened span wraps to -2 and doubles to -4 (x), and to 2, doubled 4 (y).
    const auto c = Controller({kMin, kMax}, {0, 0}, {0, 0}, {kMax, kMin});
    EXPECT_EQ(c.record.Xc, -1);  // (INT32_MIN + INT32_MAX - 1) / 2
    EXPECT_EQ(c.record.Yc, -1);
    EXPECT_EQ(c.record.XL, -4);
    EXPECT_EQ(c.record.YL, 4);
    EXPECT_EQ(c.record.Rotate, 90);
    EXPECT_EQ(*c.linearity, (tavrex::LinearityBytes{11, 255, 11, 255}));  // 3071
}

// Any samples and monitor sizes, the extremes included, give a usable record without undefined
// behaviour (the host build aborts on signed overflow, a trapping division or a bad shift).
TEST(CalibrationMath, RandomAndExtremeSamplesAlwaysGiveAUsableRecord) {
    std::mt19937 random(20261208);
    const std::int32_t edges[] = {kMin, kMin + 1, -(1 << 30), -3073, -1, 0, 1, 2, 3072, 3073, 1 << 30, kMax - 1, kMax};
    std::uniform_int_distribution<std::int32_t> any(kMin, kMax);
    std::uniform_int_distribution<std::int32_t> near(-5000, 5000);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<std::size_t> edge(0, std::size(edges) - 1);
    auto value = [&]() -> std::int32_t {
        const int kind = pick(random);
        if (kind < 3) return edges[edge(random)];
        if (kind < 6) return near(random);
        return any(random);
    };

    constexpr int kRuns = 3'000'000;
    std::uint64_t rotates[4] = {};
    for (int run = 0; run < kRuns; ++run) {
        const RawPoint samples[4] = {{value(), value()}, {value(), value()}, {value(), value()}, {value(), value()}};
        const DisplayLayout monitors = Monitors(value(), value(), value(), value());
        const SampleLayout layout = (run & 1) ? SampleLayout::Corner : SampleLayout::Controller;
        const CalibrationResult result = ComputeCalibration(layout, samples, monitors);
        const tavrex::CalibrationRecord& r = result.record;

        ASSERT_TRUE(r.Rotate == 0 || r.Rotate == 90 || r.Rotate == 180 || r.Rotate == 270) << r.Rotate;
        ++rotates[r.Rotate / 90];
        ASSERT_NE(r.Xc, 0);
        ASSERT_NE(r.Yc, 0);
        ASSERT_NE(r.XL, 0);
        ASSERT_NE(r.YL, 0);
        if (layout == SampleLayout::Controller) {
            ASSERT_TRUE(result.linearity.has_value());
            ASSERT_LE(Linearity(result.linearity->xHigh, result.linearity->xLow), 3072);
            ASSERT_LE(Linearity(result.linearity->yHigh, result.linearity->yLow), 3072);
            ASSERT_EQ(r.Rotate, r.YL > 0 ? (r.XL > 0 ? 0 : 90) : (r.XL < 0 ? 180 : 270));
            for (int field = 9; field < 17; ++field) ASSERT_EQ(tavrex::RecordField(r, field), 0);
        } else {
            ASSERT_FALSE(result.linearity.has_value());
            // A span is an absolute value; only the one that wrapped to INT32_MIN can stay negative.
            for (int field : {11, 12, 15, 16}) {
                const std::int32_t span = tavrex::RecordField(r, field);
                ASSERT_TRUE(span >= 0 || span == kMin) << field << ": " << span;
            }
        }
    }
    // The draw reached every orientation, so the checks above were not all on one path.
    for (std::uint64_t count : rotates) EXPECT_GT(count, 0u);
}

}  // namespace
}  // namespace calibrator
