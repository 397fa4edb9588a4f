// Controls for tests that behave as the real ones are documented to: a slider clamps the position it
// is given to its range (0..100 until one is set), a combo box with nothing selected answers -1, an
// item-data lookup at a bad index answers all bits set. Controls appear on first use of their id.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace fakes {

class FakeComboBox : public ui::ComboBox {
public:
    struct Item {
        std::string text;
        std::uint32_t data = 0;
    };
    std::vector<Item> items;
    int selected = ui::kNoSelection;
    bool enabled = true;

    int addString(const char* text) override;
    void setItemData(int index, std::uint32_t data) override;
    std::uint32_t itemData(int index) override;
    int count() override { return static_cast<int>(items.size()); }
    void setCurSel(int index) override;
    int curSel() override { return selected; }
    void enable(bool on) override { enabled = on; }

    std::vector<std::string> texts() const;
    // What a user's pick of an item does to the control (the page then gets the selection change).
    void pick(int index) { setCurSel(index); }
};

class FakeSlider : public ui::Slider {
public:
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    std::vector<bool> redraws;  // the redraw flag of each setRange

    void setRange(int low, int high, bool redraw) override;
    void setPos(int value) override;
    int pos() override { return position; }
};

class FakeLabel : public ui::Label {
public:
    std::string content;
    void setText(const char* text) override { content = text; }
    std::size_t text(std::span<char> buffer) override;  // cut after a whole GBK character
};

class FakeButton : public ui::Button {
public:
    bool isChecked = false;
    bool enabled = true;
    bool shield = false;
    void setCheck(bool on) override { isChecked = on; }
    bool checked() override { return isChecked; }
    void enable(bool on) override { enabled = on; }
    void setShield(bool shown) override { shield = shown; }
};

class FakeControls : public ui::Controls {
public:
    ui::ComboBox& comboBox(int id) override { return combos[id]; }
    ui::Slider& slider(int id) override { return sliders[id]; }
    ui::Label& label(int id) override { return labels[id]; }
    ui::Button& button(int id) override { return buttons[id]; }

    std::map<int, FakeComboBox> combos;
    std::map<int, FakeSlider> sliders;
    std::map<int, FakeLabel> labels;
    std::map<int, FakeButton> buttons;
};

}  // namespace fakes
