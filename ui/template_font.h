// Copies of dialog templates with their font replaced, so that property pages lay out in their sheet's font.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

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

// The template with DS_SETFONT set and its font fields replaced by `font`, its items copied unchanged at
// DWORD boundaries. Nothing when the template is malformed or the face name is not plain ASCII; the copy
// must be placed at a DWORD-aligned address, as a vector's storage is.
std::optional<std::vector<unsigned char>> withFont(std::span<const unsigned char> dialogTemplate,
                                                   const DialogFont& font);

// Gives a template that names a font the point size (and in the extended layout the weight, italic and
// charset) of `font`, in place: its face name and length stay. False, leaving it unchanged, when it names no
// font or is malformed.
bool setFontSize(std::span<unsigned char> dialogTemplate, const DialogFont& font);

}  // namespace ui
