#include "ui/page.h"

namespace ui {

void Transfer::comboIndex(int id, std::int32_t& member) {
    ComboBox& box = controls_.comboBox(id);
    if (direction_ == Direction::Load)
        box.setCurSel(member);
    else
        member = box.curSel();
}

void Transfer::sliderPos(int id, std::int32_t& member) {
    Slider& slider = controls_.slider(id);
    if (direction_ == Direction::Load)
        slider.setPos(member);
    else
        member = slider.pos();
}

void Transfer::text(int id, std::span<char> member) {
    Label& label = controls_.label(id);
    if (direction_ == Direction::Load)
        label.setText(member.data());
    else
        label.text(member);
}

void Page::activate() {
    if (!activatedBefore_) {
        activatedBefore_ = true;
        return;
    }
    if (controls_) onSetActive();
}

bool Page::deactivate() { return controls_ ? onKillActive() : true; }

void Page::load() {
    if (!controls_) return;
    Transfer dx(*controls_, Direction::Load);
    transfer(dx);
}

void Page::capture() {
    if (!controls_) return;
    Transfer dx(*controls_, Direction::Capture);
    transfer(dx);
}

}  // namespace ui
