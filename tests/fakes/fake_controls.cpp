#include "tests/fakes/fake_controls.h"

#include <cstring>

namespace fakes {

int FakeComboBox::addString(const char* text) {
    items.push_back({text, 0});
    return static_cast<int>(items.size()) - 1;
}

void FakeComboBox::setItemData(int index, std::uint32_t data) {
    if (index >= 0 && index < count()) items[static_cast<std::size_t>(index)].data = data;
}

std::uint32_t FakeComboBox::itemData(int index) {
    if (index < 0 || index >= count()) return ui::kItemDataError;
    return items[static_cast<std::size_t>(index)].data;
}

void FakeComboBox::setCurSel(int index) { selected = index >= 0 && index < count() ? index : ui::kNoSelection; }

std::vector<std::string> FakeComboBox::texts() const {
    std::vector<std::string> result;
    for (const Item& item : items) result.push_back(item.text);
    return result;
}

std::size_t FakeLabel::text(std::span<char> buffer) {
    if (buffer.empty()) return 0;
    std::size_t length = 0;
    while (length < content.size()) {
        const auto lead = static_cast<unsigned char>(content[length]);
        const std::size_t width = lead >= 0x81 && lead <= 0xFE && length + 1 < content.size() ? 2 : 1;
        if (length + width > buffer.size() - 1) break;
        length += width;
    }
    std::memcpy(buffer.data(), content.data(), length);
    buffer[length] = '\0';
    return length;
}

void FakeSlider::setRange(int low, int high, bool redraw) {
    minimum = low;
    maximum = high;
    redraws.push_back(redraw);
    setPos(position);
}

void FakeSlider::setPos(int value) { position = value < minimum ? minimum : value > maximum ? maximum : value; }

}  // namespace fakes
