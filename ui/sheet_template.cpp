#include "ui/sheet_template.h"

#include "ui/dialog_template.h"

namespace ui {

std::uint32_t childSheetStyle(std::uint32_t templateStyle) {
    return kChildStyle | kVisibleStyle | (templateStyle & kTemplateLayoutStyles);
}

void makeChildSheetTemplate(unsigned char* bytes) {
    const TemplateLayout layout = templateLayout(bytes);
    unsigned char* style = bytes + layout.styleAt;
    writeLittle32(style, childSheetStyle(readLittle32(style)));
    writeLittle32(bytes + layout.exStyleAt, 0);
}

}  // namespace ui
