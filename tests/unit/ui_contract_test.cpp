#include <gtest/gtest.h>

#include "tests/contract/control_contract.h"
#include "tests/fakes/fake_controls.h"

namespace {

TEST(ControlContract, FakesBehaveAsTheRealControls) {
    fakes::FakeControls controls;
    const std::vector<std::string> failures = contract::checkControls(controls, {1, 2, 3, 4, 5, 6});
    for (const std::string& failure : failures) ADD_FAILURE() << failure;
}

// The checks themselves catch a control that breaks the contract.
TEST(ControlContract, NoticesAControlThatDoesNotClamp) {
    class Unclamped : public fakes::FakeSlider {
    public:
        void setPos(int value) override { position = value; }
    } slider;
    EXPECT_FALSE(contract::checkSlider(slider).empty());

    class DataOnError : public fakes::FakeComboBox {
    public:
        std::uint32_t itemData(int) override { return 0; }
    } box;
    EXPECT_FALSE(contract::checkComboBox(box).empty());
}

}  // namespace
