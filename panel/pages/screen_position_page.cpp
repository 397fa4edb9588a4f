#include "panel/pages/screen_position_page.h"

#include "driver/screen_position.h"
#include "panel/resource_ids.h"

namespace panel {

namespace {

// The sign between the numbers is the full-width multiplication sign.
constexpr const char* kResolutions[] = {"640×480",  "800×600",  "1024×768", "1152×864",
                                        "1280×768", "1280×800", "1280×1024"};

// The seven radio buttons, one group, by ascending id; a click's code comes from the lowest checked.
struct RadioCode {
    int id;
    std::uint32_t code;
};
constexpr RadioCode kRadios[] = {
    {IDC_SINGLE, tavrex::SCREEN_SINGLE},
    {IDC_ON_PRIMARY, tavrex::SCREEN_ON_PRIMARY},
    {IDC_ON_SECONDARY, tavrex::SCREEN_ON_SECONDARY},
    {IDC_SPAN_LEFT, tavrex::SCREEN_SPAN_LEFT},
    {IDC_SPAN_RIGHT, tavrex::SCREEN_SPAN_RIGHT},
    {IDC_SPAN_TOP, tavrex::SCREEN_SPAN_TOP},
    {IDC_SPAN_BOTTOM, tavrex::SCREEN_SPAN_BOTTOM},
};

bool IsRadio(int id) { return id >= IDC_SINGLE && id <= IDC_SPAN_BOTTOM; }

}  // namespace

CScreenPos::CScreenPos() : ui::Page(IDD_SCREEN_POSITION) {}

ui::ComboBox& CScreenPos::PrimaryResList() { return controls().comboBox(IDC_PRIMARY_RES); }
ui::ComboBox& CScreenPos::SecondaryResList() { return controls().comboBox(IDC_SECONDARY_RES); }

// The resolution lists stay hidden; they are only filled, enabled and disabled.
void CScreenPos::onInit() {
    ui::Page::onInit();
    for (const char* text : kResolutions) PrimaryResList().addString(text);
    for (const char* text : kResolutions) SecondaryResList().addString(text);
    PrimaryResList().setCurSel(0);
    SecondaryResList().setCurSel(0);
    PrimaryResList().enable(false);
    SecondaryResList().enable(false);

    // A code outside the table shows as single display and stays as it is until a click.
    int checkedId = IDC_SINGLE;
    for (const RadioCode& radio : kRadios)
        if (radio.code == ScreenPost) checkedId = radio.id;
    for (const RadioCode& radio : kRadios) controls().button(radio.id).setCheck(radio.id == checkedId);
    if (checkedId == IDC_ON_PRIMARY) PrimaryResList().enable(true);
    if (checkedId == IDC_ON_SECONDARY) SecondaryResList().enable(true);
}

void CScreenPos::onCommand(int id, int code) {
    if (!IsRadio(id) || code != ui::kButtonClicked) return;
    PrimaryResList().enable(false);
    SecondaryResList().enable(false);
    ScreenPost = tavrex::SCREEN_SINGLE;  // also when no radio button is checked
    for (const RadioCode& radio : kRadios) {
        if (!controls().button(radio.id).checked()) continue;
        ScreenPost = radio.code;
        if (radio.id == IDC_ON_PRIMARY) PrimaryResList().enable(true);
        if (radio.id == IDC_ON_SECONDARY) SecondaryResList().enable(true);
        break;
    }
}

}  // namespace panel
