// A dialog template's parts located in its bytes, in the plain layout or the extended one, without reading
// past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "ui/inplace_vector.h"

namespace ui {

inline constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: the header carries font fields
// A point size that stands for the message box font: no further font fields follow it.
inline constexpr std::uint16_t kMessageBoxFontSize = 0x7FFF;
// The most items a template may have; our pages have 14 at most. A template of more is not parsed.
inline constexpr std::size_t kTemplateItemCapacity = 64;

std::uint32_t readLittle32(const unsigned char* at);
void writeLittle32(unsigned char* at, std::uint32_t value);

// Where a header's fixed fields lie. The plain layout starts with its style; the extended one with version
// 1 and signature 0xFFFF, then help id, extended style, style.
struct TemplateLayout {
    bool extended = false;
    std::size_t styleAt = 0;
    std::size_t exStyleAt = 0;
    std::size_t itemCountAt = 0;
    std::size_t fixedHeaderSize = 0;  // up to and including the dialog's cx, cy
    std::size_t fixedItemSize = 0;    // an item's fields before its class
};

// `bytes` holds the template's first 4 bytes at least.
TemplateLayout templateLayout(const unsigned char* bytes);

// A byte range [begin, end) of a template.
struct TemplateRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

struct TemplateParts {
    TemplateLayout layout;
    std::uint32_t style = 0;
    // The font fields, from the point size through the face name's terminator; empty (begin == end, just
    // after the title) when the template has none.
    TemplateRange font;
    // Each item from its first field through its creation data, without the padding that follows.
    InplaceVector<TemplateRange, kTemplateItemCapacity> items;
};

// Nothing when the template is cut short, a string runs past its end or it has more than
// kTemplateItemCapacity items.
std::optional<TemplateParts> parseTemplate(std::span<const unsigned char> bytes);

}  // namespace ui
