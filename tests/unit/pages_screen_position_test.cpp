#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panel/pages/screen_position_page.h"
#include "panel/resource_ids.h"
#include "tests/unit/page_host.h"

namespace {

using panel::CScreenPos;

constexpr int kRadios[] = {IDC_SINGLE,     IDC_ON_PRIMARY, IDC_ON_SECONDARY, IDC_SPAN_LEFT,
                           IDC_SPAN_RIGHT, IDC_SPAN_TOP,   IDC_SPAN_BOTTOM};

struct ScreenPositionPage {
    explicit ScreenPositionPage(std::uint32_t handedIn) {
        page.ScreenPost = handedIn;
        // Stale checks from the template must not survive: exactly one radio button is checked.
        for (int id : kRadios) controls.buttons[id].isChecked = true;
        host.open();
    }
    std::vector<int> checkedRadios() {
        std::vector<int> ids;
        for (int id : kRadios)
            if (controls.buttons[id].isChecked) ids.push_back(id);
        return ids;
    }
    // An auto radio button checks itself and unchecks the rest of its group before it notifies.
    void click(int id) {
        for (int radio : kRadios) controls.buttons[radio].isChecked = radio == id;
        host.click(id);
    }
    bool primaryEnabled() { return controls.combos[IDC_PRIMARY_RES].enabled; }
    bool secondaryEnabled() { return controls.combos[IDC_SECONDARY_RES].enabled; }

    CScreenPos page;
    paneltest::PageHost host{page};
    fakes::FakeControls& controls = host.controls;
};

TEST(ScreenPositionPage, BothResolutionListsHoldTheSevenResolutions) {
    ScreenPositionPage run(16);
    const std::vector<std::string> expected = {
        "640\xA1\xC1"
        "480",
        "800\xA1\xC1"
        "600",
        "1024\xA1\xC1"
        "768",
        "1152\xA1\xC1"
        "864",
        "1280\xA1\xC1"
        "768",
        "1280\xA1\xC1"
        "800",
        "1280\xA1\xC1"
        "1024"};
    for (int id : {IDC_PRIMARY_RES, IDC_SECONDARY_RES}) {
        EXPECT_EQ(run.controls.combos[id].texts(), expected) << id;
        EXPECT_EQ(run.controls.combos[id].selected, 0) << id;
        EXPECT_FALSE(run.controls.combos[id].enabled) << id;
    }
}

TEST(ScreenPositionPage, TheHandedInCodeChecksItsRadioButtonAndStaysAsItIs) {
    struct Case {
        std::uint32_t code;
        int radio;
        bool primary, secondary;
    };
    for (const Case c : {Case{16, IDC_SINGLE, false, false}, Case{17, IDC_SPAN_LEFT, false, false},
                         Case{18, IDC_SPAN_RIGHT, false, false}, Case{19, IDC_SPAN_TOP, false, false},
                         Case{20, IDC_SPAN_BOTTOM, false, false}, Case{37, IDC_ON_PRIMARY, true, false},
                         Case{38, IDC_ON_SECONDARY, false, true}, Case{0, IDC_SINGLE, false, false},
                         Case{99, IDC_SINGLE, false, false}, Case{0x25u | 0x100u, IDC_SINGLE, false, false}}) {
        SCOPED_TRACE(c.code);
        ScreenPositionPage run(c.code);
        EXPECT_EQ(run.checkedRadios(), std::vector<int>{c.radio});
        EXPECT_EQ(run.primaryEnabled(), c.primary);
        EXPECT_EQ(run.secondaryEnabled(), c.secondary);
        EXPECT_TRUE(run.page.deactivate());
        EXPECT_EQ(run.page.ScreenPost, c.code);
    }
}

TEST(ScreenPositionPage, EveryClickRecomputesTheCode) {
    ScreenPositionPage run(0);
    struct Case {
        int radio;
        std::uint32_t code;
        bool primary, secondary;
    };
    for (const Case c : {Case{IDC_ON_SECONDARY, 38, false, true}, Case{IDC_SPAN_LEFT, 17, false, false},
                         Case{IDC_ON_PRIMARY, 37, true, false}, Case{IDC_SPAN_RIGHT, 18, false, false},
                         Case{IDC_SPAN_TOP, 19, false, false}, Case{IDC_SPAN_BOTTOM, 20, false, false},
                         Case{IDC_SINGLE, 16, false, false}}) {
        run.click(c.radio);
        EXPECT_EQ(run.page.ScreenPost, c.code) << c.radio;
        EXPECT_EQ(run.primaryEnabled(), c.primary) << c.radio;
        EXPECT_EQ(run.secondaryEnabled(), c.secondary) << c.radio;
    }
}

TEST(ScreenPositionPage, TheLowestCheckedRadioButtonDecidesAndNoneMeansSingle) {
    ScreenPositionPage run(37);
    for (int id : kRadios) run.controls.buttons[id].isChecked = id == IDC_SPAN_RIGHT || id == IDC_ON_SECONDARY;
    run.page.onCommand(IDC_SPAN_RIGHT, ui::kButtonClicked);
    EXPECT_EQ(run.page.ScreenPost, 38u);
    EXPECT_FALSE(run.primaryEnabled());
    EXPECT_TRUE(run.secondaryEnabled());

    for (int id : kRadios) run.controls.buttons[id].isChecked = false;
    run.page.onCommand(IDC_SPAN_TOP, ui::kButtonClicked);
    EXPECT_EQ(run.page.ScreenPost, 16u);
    EXPECT_FALSE(run.secondaryEnabled());

    // Only a click on one of the seven changes the code.
    run.page.ScreenPost = 99;
    run.controls.buttons[IDC_SPAN_LEFT].isChecked = true;
    run.page.onCommand(IDC_PRIMARY_RES, ui::kSelectionChanged);
    run.page.onCommand(IDC_DUAL_DISPLAY, ui::kButtonClicked);
    EXPECT_EQ(run.page.ScreenPost, 99u);
}

TEST(ScreenPositionPage, AnUnopenedTabHandsTheCodeBackUnchanged) {
    CScreenPos page;
    EXPECT_EQ(page.ScreenPost, 0u);
    page.ScreenPost = 99;
    page.activate();
    EXPECT_TRUE(page.deactivate());
    EXPECT_EQ(page.ScreenPost, 99u);
}

}  // namespace
