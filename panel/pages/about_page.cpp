#include "panel/pages/about_page.h"

#include "panel/resource_ids.h"

namespace panel {

TabPage5::TabPage5() : ui::Page(IDD_ABOUT) {}

}  // namespace panel
