#include "ui/sheet_template.h"

namespace ui {

namespace {
std::uint32_t read32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void write32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}
}  // namespace

std::uint32_t childSheetStyle(std::uint32_t templateStyle) {
    return kChildStyle | kVisibleStyle | (templateStyle & kTemplateLayoutStyles);
}

void makeChildSheetTemplate(unsigned char* bytes) {
    const bool extended = bytes[2] == 0xFF && bytes[3] == 0xFF;
    unsigned char* style = extended ? bytes + 12 : bytes;
    unsigned char* exStyle = extended ? bytes + 8 : bytes + 4;
    write32(style, childSheetStyle(read32(style)));
    write32(exStyle, 0);
}

}  // namespace ui
