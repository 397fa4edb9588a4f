#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/pages/mouse_mode_page.h"
#include "panel/resource_ids.h"
#include "tests/unit/page_host.h"

namespace {

using panel::TabPage3;

constexpr int kEditChange = 5;  // CBN_EDITCHANGE: the user typed into the delay list's edit field

class MouseModePage : public ::testing::Test {
protected:
    // The page as the panel hands it over, then its first activation.
    void Open(std::int32_t mode, std::int32_t area, std::int32_t speed, std::uint32_t delay) {
        page.modeIndex = mode;
        page.doubleClickArea = area;
        page.doubleClickSpeed = speed;
        page.rightClickDelay = delay;
        host.open();
    }
    std::string AreaLabel() { return host.label(IDC_CLICK_AREA_TEXT); }
    std::string SpeedLabel() { return host.label(IDC_CLICK_SPEED_TEXT); }

    TabPage3 page;
    paneltest::PageHost host{page};
    fakes::FakeControls& controls = host.controls;
};

TEST_F(MouseModePage, InitialisationFillsListsRangesAndLabels) {
    Open(2, 50, 500, 96);
    const fakes::FakeComboBox& modes = controls.combos[IDC_MOUSE_MODE];
    EXPECT_EQ(modes.texts(), (std::vector<std::string>{"触摸时点击 ", "离开时点击 ", "拖动 ", "拖动和双击"}));
    EXPECT_EQ(modes.selected, 2);

    const fakes::FakeSlider& area = controls.sliders[IDC_CLICK_AREA];
    const fakes::FakeSlider& speed = controls.sliders[IDC_CLICK_SPEED];
    EXPECT_EQ(std::vector<int>({area.minimum, area.maximum, area.position}), std::vector<int>({20, 200, 50}));
    EXPECT_EQ(std::vector<int>({speed.minimum, speed.maximum, speed.position}), std::vector<int>({200, 900, 500}));
    EXPECT_EQ(area.redraws, std::vector<bool>{true});
    EXPECT_EQ(speed.redraws, std::vector<bool>{true});
    EXPECT_EQ(AreaLabel(), "50");
    EXPECT_EQ(SpeedLabel(), "500");

    const fakes::FakeComboBox& delays = controls.combos[IDC_RIGHT_DELAY];
    EXPECT_EQ(delays.texts(), (std::vector<std::string>{" 禁用右键", " 0.5s", " 1.0s", " 2.0s", " 5.0s"}));
    std::vector<std::uint32_t> values;
    for (const auto& item : delays.items) values.push_back(item.data);
    EXPECT_EQ(values, (std::vector<std::uint32_t>{20, 48, 96, 192, 490}));
    EXPECT_EQ(delays.selected, 2);

    EXPECT_EQ(page.modeIndex, 2);
    EXPECT_EQ(page.doubleClickArea, 50);
    EXPECT_EQ(page.doubleClickSpeed, 500);
    EXPECT_EQ(page.rightClickDelay, 96u);
}

// A value outside a slider's range shows at the bound; the member keeps it until a capture, and the
// label keeps the loaded number until a scroll notification rewrites it.
TEST(MouseModePageBounds, OutOfRangeValuesReachTheMembersByCaptureAndTheLabelsByScroll) {
    struct Case {
        std::int32_t area, speed, areaShown, speedShown;
    };
    for (const Case c : {Case{4, 100, 20, 200}, Case{250, 1000, 200, 900}}) {
        SCOPED_TRACE(c.area);
        TabPage3 page;
        page.modeIndex = 0;
        page.doubleClickArea = c.area;
        page.doubleClickSpeed = c.speed;
        paneltest::PageHost host(page);
        host.open();
        fakes::FakeControls& controls = host.controls;
        const std::string& areaLabel = controls.labels[IDC_CLICK_AREA_TEXT].content;
        const std::string& speedLabel = controls.labels[IDC_CLICK_SPEED_TEXT].content;
        EXPECT_EQ(controls.sliders[IDC_CLICK_AREA].position, c.areaShown);
        EXPECT_EQ(controls.sliders[IDC_CLICK_SPEED].position, c.speedShown);
        EXPECT_EQ(areaLabel, std::to_string(c.area));
        EXPECT_EQ(speedLabel, std::to_string(c.speed));
        EXPECT_EQ(page.doubleClickArea, c.area) << "loading leaves the member as it was";
        EXPECT_EQ(page.doubleClickSpeed, c.speed);

        // The first capture (a mode change here) gives the members the bounds; the labels are read back.
        host.pick(IDC_MOUSE_MODE, 3);
        EXPECT_EQ(page.modeIndex, 3);
        EXPECT_EQ(page.doubleClickArea, c.areaShown);
        EXPECT_EQ(page.doubleClickSpeed, c.speedShown);
        EXPECT_EQ(page.areaText, std::to_string(c.area));
        EXPECT_EQ(page.speedText, std::to_string(c.speed));

        // Leaving and coming back loads the old label texts again.
        EXPECT_TRUE(page.deactivate());
        page.activate();
        EXPECT_EQ(areaLabel, std::to_string(c.area));
        EXPECT_EQ(speedLabel, std::to_string(c.speed));

        // Any scroll notification, even one that does not move the thumb, rewrites both labels.
        page.onScroll(IDC_CLICK_SPEED);
        EXPECT_EQ(areaLabel, std::to_string(c.areaShown));
        EXPECT_EQ(speedLabel, std::to_string(c.speedShown));
    }
}

TEST_F(MouseModePage, EveryScrollStepCapturesAndRewritesBothLabels) {
    Open(0, 50, 500, 20);
    for (int position : {60, 75, 199}) {  // dragging sends one notification per step
        host.drag(IDC_CLICK_AREA, position);
        EXPECT_EQ(page.doubleClickArea, position);
        EXPECT_EQ(AreaLabel(), std::to_string(position));
        EXPECT_EQ(SpeedLabel(), "500");
    }
    controls.labels[IDC_CLICK_AREA_TEXT].content = "stale";
    host.drag(IDC_CLICK_SPEED, 730);
    EXPECT_EQ(page.doubleClickSpeed, 730);
    EXPECT_EQ(SpeedLabel(), "730");
    EXPECT_EQ(AreaLabel(), "199") << "moving one slider rewrites the other slider's label";
    EXPECT_STREQ(page.areaText, "199");

    // The mode list's selection is captured along with the sliders.
    controls.combos[IDC_MOUSE_MODE].selected = 2;
    host.drag(IDC_CLICK_SPEED, 731);
    EXPECT_EQ(page.modeIndex, 2);

    controls.sliders[IDC_CLICK_AREA].setPos(33);
    EXPECT_TRUE(page.deactivate());
    EXPECT_EQ(page.doubleClickArea, 33) << "leaving the page captures";
}

TEST_F(MouseModePage, ADelayOfNoneOfTheItemsStaysUntilAnItemIsChosen) {
    Open(0, 50, 500, 100);
    EXPECT_EQ(controls.combos[IDC_RIGHT_DELAY].selected, ui::kNoSelection);
    host.drag(IDC_CLICK_AREA, 60);
    EXPECT_TRUE(page.deactivate());
    page.activate();
    EXPECT_EQ(page.rightClickDelay, 100u) << "neither transfer touches the delay";

    // Typing into the edit field is no choice.
    page.onCommand(IDC_RIGHT_DELAY, kEditChange);
    EXPECT_EQ(page.rightClickDelay, 100u);

    host.pick(IDC_RIGHT_DELAY, 4);
    EXPECT_EQ(page.rightClickDelay, 490u);
    host.pick(IDC_RIGHT_DELAY, 0);
    EXPECT_EQ(page.rightClickDelay, 20u);
    host.pick(IDC_RIGHT_DELAY, 1);
    EXPECT_EQ(page.rightClickDelay, 48u);
}

TEST_F(MouseModePage, ChoosingADelayChangesNothingElse) {
    Open(1, 4, 500, 20);
    controls.combos[IDC_MOUSE_MODE].selected = 3;
    host.pick(IDC_RIGHT_DELAY, 3);
    EXPECT_EQ(page.rightClickDelay, 192u);
    EXPECT_EQ(page.modeIndex, 1) << "no capture";
    EXPECT_EQ(page.doubleClickArea, 4);
    EXPECT_EQ(AreaLabel(), "4") << "no label update";
}

TEST_F(MouseModePage, TheDelayStepBoundsTheItemValueAndTakesAFailedLookupAsTheLongest) {
    Open(0, 50, 500, 20);
    fakes::FakeComboBox& delays = controls.combos[IDC_RIGHT_DELAY];
    struct Case {
        std::uint32_t data, stored;
    };
    for (const Case c : {Case{0, 20}, Case{19, 20}, Case{20, 20}, Case{490, 490}, Case{491, 490},
                         Case{0x80000000u, 490}, Case{0xFFFFFFFFu, 490}}) {
        delays.items[2].data = c.data;
        host.pick(IDC_RIGHT_DELAY, 2);
        EXPECT_EQ(page.rightClickDelay, c.stored) << c.data;
    }
    // Nothing selected: the lookup at index -1 fails.
    page.rightClickDelay = 48;
    delays.selected = ui::kNoSelection;
    page.onCommand(IDC_RIGHT_DELAY, ui::kSelectionChanged);
    EXPECT_EQ(page.rightClickDelay, 490u);
}

}  // namespace
