#include "calibrator/display_selection.h"

#include <gtest/gtest.h>

#include "calibrator/targets.h"
#include "tests/fakes/fake_ui.h"

namespace {

using calibrator::DisplayLayout;
using calibrator::RecordMonitors;
using calibrator::SelectCalibrationArea;
using platform::MonitorInfo;
using platform::Rect;

const MonitorInfo kSmall{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true};
const MonitorInfo kWide{"\\\\.\\DISPLAY1", {0, 0, 2048, 768}, true};
const MonitorInfo kPrimary1280{"\\\\.\\DISPLAY1", {0, 0, 1280, 1024}, true};
const MonitorInfo kSecondBeside{"\\\\.\\DISPLAY2", {1280, 0, 2304, 768}, false};

DisplayLayout Select(std::uint32_t code, std::vector<MonitorInfo> monitors) {
    fakes::FakeDesktop desktop;
    desktop.monitors = monitors;
    return SelectCalibrationArea(code, RecordMonitors(desktop));
}

TEST(DisplaySelection, SingleMonitorGivesTheWholeScreenAndItsGrid) {
    const DisplayLayout layout = Select(16, {kSmall});
    EXPECT_EQ(layout.area, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(layout.W, 1024);
    EXPECT_EQ(layout.H, 768);
    EXPECT_EQ(layout.X1, 256);
    EXPECT_EQ(layout.X3, 768);
    EXPECT_EQ(layout.Y1, 192);
    EXPECT_EQ(layout.Y3, 576);
    EXPECT_EQ(layout.W2, 0);
    EXPECT_EQ(layout.H2, 0);
}

TEST(DisplaySelection, EveryCodeOnASpanningDisplay) {
    struct Case {
        std::uint32_t code;
        Rect area;
    } cases[] = {
        {16, {0, 0, 2048, 768}},   {17, {0, 0, 1024, 768}},         {18, {1024, 0, 2048, 768}}, {19, {0, 0, 2048, 384}},
        {20, {0, 384, 2048, 768}}, {37, {0, 0, 2048, 768}},         {38, {0, 0, 0, 0}},         {0, {0, 0, 2048, 768}},
        {21, {0, 0, 2048, 768}},   {0xFFFFFFFF, {0, 0, 2048, 768}},
    };
    for (const Case& c : cases) {
        const DisplayLayout layout = Select(c.code, {kWide});
        EXPECT_EQ(layout.area, c.area) << "code " << c.code;
        EXPECT_EQ(layout.W, c.area.right - c.area.left);
        EXPECT_EQ(layout.H, c.area.bottom - c.area.top);
    }
    // The grid is measured from the area's own corner.
    const DisplayLayout right = Select(18, {kWide});
    EXPECT_EQ(right.X1, 256);
    EXPECT_EQ(right.X3, 768);
    // Odd sizes halve and quarter toward zero.
    const DisplayLayout odd = Select(17, {{"\\\\.\\DISPLAY1", {0, 0, 1023, 767}, true}});
    EXPECT_EQ(odd.area, (Rect{0, 0, 511, 767}));
    EXPECT_EQ(odd.X3, 383);
    EXPECT_EQ(odd.Y3, 575);
}

TEST(DisplaySelection, SeparateDisplaysUseTheMonitorRectanglesThemselves) {
    const DisplayLayout secondary = Select(38, {kPrimary1280, kSecondBeside});
    EXPECT_EQ(secondary.area, kSecondBeside.rect);
    EXPECT_EQ(secondary.W, 1024);
    EXPECT_EQ(secondary.X1, 256);
    EXPECT_EQ(secondary.W1, 1280);
    EXPECT_EQ(secondary.H1, 1024);
    EXPECT_EQ(secondary.W2, 1024);
    EXPECT_EQ(secondary.H2, 768);
    EXPECT_EQ(Select(37, {kPrimary1280, kSecondBeside}).area, kPrimary1280.rect);

    // Codes 16 to 20 measure DISPLAY1's size, not its position.
    const MonitorInfo shifted{"\\\\.\\DISPLAY1", {-1280, 0, 0, 1024}, true};
    EXPECT_EQ(Select(16, {shifted}).area, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(Select(37, {shifted}).area, shifted.rect);

    // Without a DISPLAY2 the secondary area is empty.
    const DisplayLayout none = Select(38, {kPrimary1280});
    EXPECT_EQ(none.area, (Rect{}));
    EXPECT_EQ(none.W, 0);
    EXPECT_EQ(none.X3, 0);
}

TEST(DisplaySelection, OnlyTheExactNamesFillTheSlots) {
    const MonitorInfo third{"\\\\.\\DISPLAY3", {2304, 0, 3328, 768}, false};
    const MonitorInfo lowerCase{"\\\\.\\display2", {0, 0, 640, 480}, false};
    const MonitorInfo longer{"\\\\.\\DISPLAY21", {0, 0, 800, 600}, false};
    const DisplayLayout with = Select(38, {kPrimary1280, third, kSecondBeside, lowerCase, longer});
    const DisplayLayout without = Select(38, {kPrimary1280, kSecondBeside});
    EXPECT_EQ(with.area, without.area);
    EXPECT_EQ(with.W1, without.W1);
    EXPECT_EQ(with.W2, without.W2);
    EXPECT_EQ(with.H2, without.H2);

    calibrator::MonitorSlots slots;
    EXPECT_TRUE(calibrator::RecordMonitorRect(slots, third)) << "the enumeration always goes on";
    EXPECT_FALSE(slots.display1Seen || slots.display2Seen);
}

TEST(DisplaySelection, PrimaryMonitorNamedOtherwiseStandsInForDisplay1) {
    const MonitorInfo primary{"\\\\.\\DISPLAY5", {0, 0, 1600, 900}, true};
    const MonitorInfo other{"\\\\.\\DISPLAY6", {1600, 0, 2880, 1024}, false};
    const DisplayLayout layout = Select(16, {other, primary});
    EXPECT_EQ(layout.area, (Rect{0, 0, 1600, 900}));
    EXPECT_EQ(layout.W1, 1600);
    EXPECT_EQ(layout.W2, 0);
    EXPECT_EQ(Select(20, {other, primary}).area, (Rect{0, 450, 1600, 900}));

    // A primary that is DISPLAY2 stays in its own slot only.
    const MonitorInfo primaryTwo{"\\\\.\\DISPLAY2", {0, 0, 1024, 768}, true};
    const DisplayLayout two = Select(16, {primaryTwo});
    EXPECT_EQ(two.W1, 0);
    EXPECT_EQ(two.W2, 1024);
}

TEST(TargetGrid, GlyphBlocksOnA1024By768Area) {
    const DisplayLayout layout = Select(16, {kSmall});
    struct Case {
        std::uint32_t code;
        calibrator::Point origin;
    } cases[] = {{16, {229, 165}},  {32, {741, 549}},  {64, {357, 261}},
                 {128, {613, 453}}, {256, {229, 549}}, {288, {741, 165}}};
    for (const Case& c : cases) {
        auto origin = calibrator::GlyphOrigin(c.code, layout);
        ASSERT_TRUE(origin) << c.code;
        EXPECT_EQ(*origin, c.origin) << "code " << c.code;
    }
    EXPECT_FALSE(calibrator::GlyphOrigin(0, layout));
    EXPECT_FALSE(calibrator::GlyphOrigin(48, layout));
}

}  // namespace
