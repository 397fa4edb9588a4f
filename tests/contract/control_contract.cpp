#include "tests/contract/control_contract.h"

#include <cstdint>
#include <sstream>

namespace contract {

namespace {
// Collects the failures of one control's checks.
class Checker {
public:
    explicit Checker(const char* control) : control_(control) {}

    template <typename T>
    void equal(const char* what, const T& actual, const T& expected) {
        if (actual == expected) return;
        std::ostringstream line;
        line << control_ << ": " << what << ": got " << show(actual) << ", expected " << show(expected);
        failures_.push_back(line.str());
    }

    std::vector<std::string> failures() { return failures_; }

private:
    static std::string show(const std::string& text) {
        return '"' + text + "\" (" + std::to_string(text.size()) + " bytes)";
    }
    static std::string show(bool value) { return value ? "true" : "false"; }
    static std::string show(int value) { return std::to_string(value); }
    static std::string show(std::uint32_t value) {
        std::ostringstream hex;
        hex << "0x" << std::hex << value;
        return hex.str();
    }

    const char* control_;
    std::vector<std::string> failures_;
};

void append(std::vector<std::string>& all, std::vector<std::string> more) {
    all.insert(all.end(), more.begin(), more.end());
}
}  // namespace

std::vector<std::string> checkComboBox(ui::ComboBox& box) {
    Checker check("combo box");
    check.equal("empty count", box.count(), 0);
    check.equal("empty selection", box.curSel(), ui::kNoSelection);
    check.equal("data of item 0 of an empty list", box.itemData(0), ui::kItemDataError);

    check.equal("index of the first item", box.addString("触摸时点击 "), 0);
    check.equal("index of the second item", box.addString(" 禁用右键"), 1);
    check.equal("index of the third item", box.addString("3000"), 2);
    check.equal("count", box.count(), 3);
    check.equal("selection after adding", box.curSel(), ui::kNoSelection);
    check.equal("data of an item never given any", box.itemData(0), std::uint32_t{0});

    box.setItemData(1, 20);
    box.setItemData(2, 0x80000001u);
    check.equal("data of item 1", box.itemData(1), std::uint32_t{20});
    check.equal("data with the top bit set", box.itemData(2), std::uint32_t{0x80000001u});
    box.setItemData(3, 7);  // no such item: nothing changes
    check.equal("count after data for a missing item", box.count(), 3);
    check.equal("data at index -1", box.itemData(-1), ui::kItemDataError);
    check.equal("data at index count", box.itemData(3), ui::kItemDataError);
    check.equal("data at a large index", box.itemData(1000), ui::kItemDataError);

    box.setCurSel(1);
    check.equal("selection of item 1", box.curSel(), 1);
    box.setCurSel(-1);
    check.equal("selection after setCurSel(-1)", box.curSel(), ui::kNoSelection);
    box.setCurSel(2);
    box.setCurSel(3);
    check.equal("selection after an index past the end", box.curSel(), ui::kNoSelection);
    box.setCurSel(0);
    box.setCurSel(-7);
    check.equal("selection after a negative index", box.curSel(), ui::kNoSelection);
    box.setCurSel(2);
    check.equal("selection of the last item", box.curSel(), 2);
    return check.failures();
}

std::vector<std::string> checkSlider(ui::Slider& slider) {
    Checker check("slider");
    check.equal("position as created", slider.pos(), 0);
    slider.setPos(150);
    check.equal("above the range it was created with (0..100)", slider.pos(), 100);
    slider.setPos(-5);
    check.equal("below the range it was created with", slider.pos(), 0);

    slider.setRange(200, 900, true);
    check.equal("position 0 after the range became 200..900", slider.pos(), 200);
    slider.setPos(450);
    check.equal("inside the range", slider.pos(), 450);
    slider.setPos(901);
    check.equal("one above the range", slider.pos(), 900);
    slider.setPos(199);
    check.equal("one below the range", slider.pos(), 200);

    slider.setPos(900);
    slider.setRange(20, 200, false);
    check.equal("position 900 after the range became 20..200", slider.pos(), 200);
    slider.setPos(4);
    check.equal("a stored 4 in 20..200", slider.pos(), 20);
    slider.setPos(20);
    check.equal("the lower bound itself", slider.pos(), 20);

    slider.setRange(1000, 5000, true);
    check.equal("position 20 after the range became 1000..5000", slider.pos(), 1000);
    slider.setPos(6000);
    check.equal("above 1000..5000", slider.pos(), 5000);
    slider.setPos(3210);
    check.equal("inside 1000..5000", slider.pos(), 3210);
    return check.failures();
}

std::vector<std::string> checkLabel(ui::Label& label) {
    Checker check("label");
    char buffer[1024];  // room for every text below
    const auto text = [&] { return std::string(buffer, label.text(buffer)); };
    check.equal("text as created", text(), std::string());
    label.setText("Static");
    check.equal("plain text", text(), std::string("Static"));
    label.setText("改动双击区域后，请注销或重启系统，使该操作有效。");
    check.equal("GBK text", text(), std::string("改动双击区域后，请注销或重启系统，使该操作有效。"));
    const std::string longText(700, 'x');  // longer than the pages' own text buffers
    label.setText(longText.c_str());
    check.equal("700 characters", text(), longText);
    // Five bytes and a terminator hold two characters and half of a third: the half stays out.
    label.setText("改动双击");
    char cut[6];
    check.equal("length of a GBK text cut short", static_cast<int>(label.text(cut)), 4);
    check.equal("GBK text cut short", std::string(cut), std::string("改动"));
    label.setText("");
    check.equal("emptied text", text(), std::string());
    return check.failures();
}

std::vector<std::string> checkButton(ui::Button& button) {
    Checker check("button");
    check.equal("check as created", button.checked(), false);
    button.setCheck(true);
    check.equal("after setCheck(true)", button.checked(), true);
    button.setCheck(true);
    check.equal("after a second setCheck(true)", button.checked(), true);
    button.setCheck(false);
    check.equal("after setCheck(false)", button.checked(), false);
    return check.failures();
}

std::vector<std::string> checkRadioGroup(ui::Button& first, ui::Button& second) {
    Checker check("radio group");
    first.setCheck(false);
    second.setCheck(true);
    check.equal("the first after checking the second last", first.checked(), false);
    check.equal("the second checked last", second.checked(), true);
    first.setCheck(true);
    second.setCheck(false);
    check.equal("the first checked first", first.checked(), true);
    check.equal("the second after checking the first first", second.checked(), false);
    first.setCheck(false);
    second.setCheck(false);
    check.equal("the first after unchecking both", first.checked(), false);
    check.equal("the second after unchecking both", second.checked(), false);
    return check.failures();
}

std::vector<std::string> checkControls(ui::Controls& controls, const ControlIds& ids) {
    std::vector<std::string> failures;
    append(failures, checkComboBox(controls.comboBox(ids.comboBox)));
    append(failures, checkSlider(controls.slider(ids.slider)));
    append(failures, checkLabel(controls.label(ids.label)));
    append(failures, checkButton(controls.button(ids.checkBox)));
    append(failures, checkButton(controls.button(ids.radioButton)));
    append(failures, checkRadioGroup(controls.button(ids.radioButton), controls.button(ids.secondRadioButton)));
    return failures;
}

}  // namespace contract
