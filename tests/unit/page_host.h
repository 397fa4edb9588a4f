// A page as the property sheet hosts it, over fake controls: opened as the first choice of its tab
// opens it, then driven as the user drives its controls.
#pragma once

#include <cstdint>
#include <string>

#include "tests/fakes/fake_controls.h"
#include "ui/page.h"

namespace paneltest {

struct PageHost {
    explicit PageHost(ui::Page& hosted) : page(hosted) {}

    void open(std::uintptr_t window = 0) {
        page.attach(controls, window);
        page.onInit();
        page.activate();
    }
    void drag(int id, int position) {
        controls.sliders[id].setPos(position);
        page.onScroll(id);
    }
    void pick(int id, int index) {
        controls.combos[id].pick(index);
        page.onCommand(id, ui::kSelectionChanged);
    }
    void click(int id) { page.onCommand(id, ui::kButtonClicked); }
    std::string label(int id) { return controls.labels[id].content; }

    ui::Page& page;
    fakes::FakeControls controls;
};

}  // namespace paneltest
