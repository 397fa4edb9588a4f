#include "ui/template_font.h"

#include <algorithm>

#include "ui/dialog_template.h"

namespace ui {

namespace {
void appendWord(std::vector<unsigned char>& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

bool plainAscii(std::string_view text) {
    for (char c : text)
        if (c <= 0 || static_cast<unsigned char>(c) > 0x7F) return false;
    return true;
}
}  // namespace

std::optional<std::vector<unsigned char>> withFont(std::span<const unsigned char> dialogTemplate,
                                                   const DialogFont& font) {
    if (!plainAscii(font.faceName) || font.pointSize == kMessageBoxFontSize) return std::nullopt;
    const std::optional<TemplateParts> parts = parseTemplate(dialogTemplate);
    if (!parts) return std::nullopt;

    std::vector<unsigned char> out(dialogTemplate.begin(), dialogTemplate.begin() + parts->font.begin);
    unsigned char* style = out.data() + parts->layout.styleAt;
    writeLittle32(style, readLittle32(style) | kSetFontStyle);
    appendWord(out, font.pointSize);
    if (parts->layout.extended) {
        appendWord(out, font.weight);
        out.push_back(font.italic ? 1 : 0);
        out.push_back(font.charset);
    }
    for (char c : font.faceName) appendWord(out, static_cast<std::uint16_t>(c));
    appendWord(out, 0);

    for (const TemplateRange& item : parts->items) {
        out.resize((out.size() + 3) / 4 * 4, 0);
        out.insert(out.end(), dialogTemplate.begin() + item.begin, dialogTemplate.begin() + item.end);
    }
    return out;
}

bool setFontSize(std::span<unsigned char> dialogTemplate, const DialogFont& font) {
    if (font.pointSize == kMessageBoxFontSize) return false;
    const std::optional<TemplateParts> parts = parseTemplate(dialogTemplate);
    if (!parts || !(parts->style & kSetFontStyle)) return false;
    unsigned char* at = dialogTemplate.data() + parts->font.begin;
    // A template in the message box font has no fields to take the rest.
    if ((at[0] | at[1] << 8) == kMessageBoxFontSize) return false;
    std::vector<unsigned char> fields;
    appendWord(fields, font.pointSize);
    if (parts->layout.extended) {
        appendWord(fields, font.weight);
        fields.push_back(font.italic ? 1 : 0);
        fields.push_back(font.charset);
    }
    std::copy(fields.begin(), fields.end(), at);
    return true;
}

}  // namespace ui
