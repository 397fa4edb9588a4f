// Copies of dialog templates with their font replaced, so that property pages lay out in their sheet's font.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include "ui/inplace_vector.h"

namespace ui {

struct DialogFont {
    std::uint16_t pointSize = 8;
    // Only the extended layout carries these three.
    std::uint16_t weight = 400;  // FW_NORMAL
    bool italic = false;
    std::uint8_t charset = 1;   // DEFAULT_CHARSET
    std::string_view faceName;  // ASCII
};

// The font of the system's property sheet, in which a sheet lays out its pages.
inline constexpr DialogFont kPropertySheetFont{8, 400, false, 1, "MS Shell Dlg"};

// The bytes of a template copy: twice our largest page template (738 bytes) fits; no longer copy is made.
// The system reads a template at a DWORD boundary: the bytes start at the container's own
// address, aligned at least as its size field is.
using TemplateBytes = InplaceVector<unsigned char, 2048>;
static_assert(alignof(TemplateBytes) >= 4 && std::is_standard_layout_v<TemplateBytes>);

// The template with DS_SETFONT set and its font fields replaced by `font`, its items copied unchanged at
// DWORD boundaries. Nothing when the template is malformed, the face name is not plain ASCII or the copy
// would not fit into TemplateBytes: the caller then uses the template as it is.
std::optional<TemplateBytes> withFont(std::span<const unsigned char> dialogTemplate, const DialogFont& font);

// Gives a template that names a font the point size (and in the extended layout the weight, italic and
// charset) of `font`, in place: its face name and length stay. False, leaving it unchanged, when it names no
// font or is malformed.
bool setFontSize(std::span<unsigned char> dialogTemplate, const DialogFont& font);

}  // namespace ui
