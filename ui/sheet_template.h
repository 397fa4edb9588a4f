// The property sheet's own dialog template, rewritten before the sheet is created so that the sheet
// becomes a visible child window without a frame, caption or extended style.
#pragma once

#include <cstdint>

namespace ui {

inline constexpr std::uint32_t kChildStyle = 0x40000000;    // WS_CHILD
inline constexpr std::uint32_t kVisibleStyle = 0x10000000;  // WS_VISIBLE
// DS_SETFONT and DS_FIXEDSYS say the template carries font fields: they describe its layout, so they stay.
inline constexpr std::uint32_t kTemplateLayoutStyles = 0x40 | 0x08;

// The style of a child sheet made from a template of the given style.
std::uint32_t childSheetStyle(std::uint32_t templateStyle);

// Rewrites the styles of a dialog template in memory, in either layout (the plain one starts with its
// style; the extended one with version 1 and signature 0xFFFF, then help id, extended style, style).
// `bytes` points at the template's first 16 bytes at least.
void makeChildSheetTemplate(unsigned char* bytes);

}  // namespace ui
