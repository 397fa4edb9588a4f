// What every implementation of the control interfaces must do, as the real controls do it. The same
// checks run against the fakes natively and against real controls under Wine.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace contract {

// The controls to check, all freshly created: an empty, unsorted drop-down list; a trackbar as
// created; an empty label; an unchecked check box and radio button.
struct ControlIds {
    int comboBox;
    int slider;
    int label;
    int checkBox;
    int radioButton;
    int secondRadioButton;
};

// One line per difference from the contract; empty when the controls keep it.
std::vector<std::string> checkComboBox(ui::ComboBox& box);
std::vector<std::string> checkSlider(ui::Slider& slider);
std::vector<std::string> checkLabel(ui::Label& label);
std::vector<std::string> checkButton(ui::Button& button);
// A radio group whose every button is set, the checked one first or last, shows exactly that one. Whether
// checking one clears the others differs (the common controls 6.0 clear an automatic button's group, 5.x
// leave it), so a page sets every button of its group.
std::vector<std::string> checkRadioGroup(ui::Button& first, ui::Button& second);
std::vector<std::string> checkControls(ui::Controls& controls, const ControlIds& ids);

}  // namespace contract
