// Placeholder constructors: the settings pages hold their copies and hand them back unchanged until
// their behaviour is built.
#include "panel/pages/screen_pos.h"
#include "panel/pages/tab_page2.h"
#include "panel/pages/tab_page3.h"
#include "panel/pages/tab_page4.h"
#include "panel/resource_ids.h"

namespace panel {

TabPage2::TabPage2() : ui::Page(IDD_BEEP) {}
TabPage3::TabPage3() : ui::Page(IDD_MOUSE_MODE) {}
TabPage4::TabPage4(platform::Devices& devices, SerialPorts& ports)
    : ui::Page(IDD_SERIAL_PORT), devices_(devices), ports_(ports) {}
CScreenPos::CScreenPos() : ui::Page(IDD_SCREEN_POSITION) {}

}  // namespace panel
