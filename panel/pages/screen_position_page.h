// The screen position page: where the touch screen sits on a one- or two-display desktop.
#pragma once

#include <cstdint>

#include "ui/page.h"

namespace panel {

class CScreenPos : public ui::Page {
public:
    CScreenPos();

    std::uint32_t ScreenPost = 0;  // the panel's copy of "ScreenPost"

    void onInit() override;
    void onCommand(int id, int code) override;

private:
    ui::ComboBox& PrimaryResList();
    ui::ComboBox& SecondaryResList();
};

}  // namespace panel
