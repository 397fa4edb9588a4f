#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "tests/fakes/fake_controls.h"
#include "ui/page.h"

namespace {

constexpr int kList = 4008;
constexpr int kSlider = 4003;
constexpr int kLabel = 4016;

// A page with one binding of each kind that records every transfer it runs.
class RecordingPage : public ui::Page {
public:
    RecordingPage() : ui::Page(102) {}
    std::int32_t index = 0;
    std::int32_t position = 0;
    char text[32] = {};
    std::vector<ui::Direction> transfers;
    bool mayLeave = true;

    using ui::Page::capture;
    using ui::Page::load;

protected:
    void transfer(ui::Transfer& dx) override {
        transfers.push_back(dx.direction());
        dx.comboIndex(kList, index);
        dx.sliderPos(kSlider, position);
        dx.text(kLabel, text);
    }
    bool onKillActive() override {
        capture();
        return mayLeave;
    }
};

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* item : {"触摸时点击 ", "离开时点击 ", "拖动和双击"}) controls.combos[kList].addString(item);
        controls.sliders[kSlider].setRange(20, 200, true);
    }
    fakes::FakeControls controls;
    RecordingPage page;
};

TEST_F(PageTest, LoadPutsEveryMemberIntoItsControl) {
    page.attach(controls);
    page.index = 2;
    page.position = 150;
    std::snprintf(page.text, sizeof page.text, "%s", "双击速度:");
    page.load();
    EXPECT_EQ(controls.combos[kList].selected, 2);
    EXPECT_EQ(controls.sliders[kSlider].position, 150);
    EXPECT_EQ(controls.labels[kLabel].content, "双击速度:");
    // A load changes no member, even where the control could not take the value.
    page.position = 4;
    page.index = 9;
    page.load();
    EXPECT_EQ(controls.sliders[kSlider].position, 20);
    EXPECT_EQ(controls.combos[kList].selected, ui::kNoSelection);
    EXPECT_EQ(page.position, 4);
    EXPECT_EQ(page.index, 9);
    EXPECT_EQ(page.transfers, (std::vector{ui::Direction::Load, ui::Direction::Load}));
}

TEST_F(PageTest, CaptureReadsEveryControlIntoItsMember) {
    page.attach(controls);
    controls.combos[kList].pick(1);
    controls.sliders[kSlider].setPos(77);
    controls.labels[kLabel].setText("改动双击区域后");
    page.capture();
    EXPECT_EQ(page.index, 1);
    EXPECT_EQ(page.position, 77);
    EXPECT_STREQ(page.text, "改动双击区域后");

    // Out-of-range members come back as the controls hold them: clamped, or no selection.
    page.position = 4;
    page.index = 7;
    page.load();
    page.capture();
    EXPECT_EQ(page.position, 20);
    EXPECT_EQ(page.index, ui::kNoSelection);
    EXPECT_EQ(page.transfers, (std::vector{ui::Direction::Capture, ui::Direction::Load, ui::Direction::Capture}));
}

TEST_F(PageTest, FirstActivationFollowsInitialisationWithoutASecondLoad) {
    page.index = 1;
    page.attach(controls);
    page.onInit();
    EXPECT_EQ(page.transfers, std::vector{ui::Direction::Load});
    page.activate();  // the set-active that follows the page's creation
    EXPECT_EQ(page.transfers, std::vector{ui::Direction::Load});

    EXPECT_TRUE(page.deactivate());
    EXPECT_EQ(page.transfers, (std::vector{ui::Direction::Load, ui::Direction::Capture}));

    // Every later set-active loads the members again, including values changed meanwhile.
    page.index = 2;
    page.activate();
    EXPECT_EQ(controls.combos[kList].selected, 2);
    page.activate();
    EXPECT_EQ(page.transfers,
              (std::vector{ui::Direction::Load, ui::Direction::Capture, ui::Direction::Load, ui::Direction::Load}));
}

TEST_F(PageTest, KillActiveCapturesAndCanKeepThePage) {
    page.attach(controls);
    page.onInit();
    page.activate();
    controls.sliders[kSlider].setPos(120);
    page.mayLeave = false;
    EXPECT_FALSE(page.deactivate());
    EXPECT_EQ(page.position, 120);
}

TEST_F(PageTest, APageWithoutAWindowTouchesNothing) {
    page.index = 2;
    page.position = 60;
    std::snprintf(page.text, sizeof page.text, "%s", "Static");
    page.onInit();
    page.activate();
    page.activate();
    EXPECT_TRUE(page.deactivate());
    page.load();
    page.capture();
    page.onCommand(kList, ui::kSelectionChanged);
    page.onScroll(kSlider);
    EXPECT_FALSE(page.hasWindow());
    EXPECT_TRUE(page.transfers.empty());
    EXPECT_EQ(page.index, 2);
    EXPECT_EQ(page.position, 60);
    EXPECT_STREQ(page.text, "Static");
    EXPECT_EQ(controls.combos[kList].selected, ui::kNoSelection);

    // Once its window has gone the page leaves the controls alone again and keeps its members.
    page.attach(controls);
    EXPECT_TRUE(page.hasWindow());
    page.detach();
    page.activate();
    EXPECT_TRUE(page.deactivate());
    EXPECT_TRUE(page.transfers.empty());
}

}  // namespace
