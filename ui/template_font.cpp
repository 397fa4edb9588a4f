#include "ui/template_font.h"

#include "ui/dialog_template.h"

namespace ui {

namespace {
void appendWord(TemplateBytes& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void writeWord(unsigned char* at, std::uint16_t value) {
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>(value >> 8);
}

bool plainAscii(std::string_view text) {
    for (char c : text)
        if (c <= 0 || static_cast<unsigned char>(c) > 0x7F) return false;
    return true;
}
}  // namespace

std::optional<TemplateBytes> withFont(std::span<const unsigned char> dialogTemplate, const DialogFont& font) {
    if (!plainAscii(font.faceName) || font.pointSize == kMessageBoxFontSize) return std::nullopt;
    const std::optional<TemplateParts> parts = parseTemplate(dialogTemplate);
    if (!parts) return std::nullopt;

    TemplateBytes out;
    for (unsigned char byte : dialogTemplate.first(parts->font.begin)) out.push_back(byte);
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
        while (out.size() % 4 != 0) out.push_back(0);
        for (unsigned char byte : dialogTemplate.subspan(item.begin, item.end - item.begin)) out.push_back(byte);
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
    writeWord(at, font.pointSize);
    if (parts->layout.extended) {
        writeWord(at + 2, font.weight);
        at[4] = font.italic ? 1 : 0;
        at[5] = font.charset;
    }
    return true;
}

}  // namespace ui
