// The about page: logo, product line and version, all in its template.
#pragma once

#include "ui/page.h"

namespace panel {

class TabPage5 : public ui::Page {
public:
    TabPage5();
};

}  // namespace panel
