#include "ui/template_font.h"

#include "ui/dialog_template.h"

namespace ui {

namespace {
void writeWord(unsigned char* at, std::uint16_t value) {
    at[0] = static_cast<unsigned char>(value & 0xFF);
    at[1] = static_cast<unsigned char>(value >> 8);
}

bool plainAscii(std::string_view text) {
    for (char c : text)
        if (c <= 0 || static_cast<unsigned char>(c) > 0x7F) return false;
    return true;
}

// Appends to the copy until it is full; from then on every append fails, and the copy is not used.
class Writer {
public:
    explicit Writer(TemplateBytes& out) : out_(out) {}
    bool ok() const { return ok_; }
    void byte(unsigned char value) { ok_ = ok_ && out_.try_push_back(value); }
    void word(std::uint16_t value) {
        byte(static_cast<unsigned char>(value & 0xFF));
        byte(static_cast<unsigned char>(value >> 8));
    }
    void bytes(std::span<const unsigned char> values) {
        for (unsigned char value : values) byte(value);
    }
    void alignTo4() {
        while (ok_ && out_.size() % 4 != 0) byte(0);
    }

private:
    TemplateBytes& out_;
    bool ok_ = true;
};
}  // namespace

std::optional<TemplateBytes> withFont(std::span<const unsigned char> dialogTemplate, const DialogFont& font) {
    if (!plainAscii(font.faceName) || font.pointSize == kMessageBoxFontSize) return std::nullopt;
    const std::optional<TemplateParts> parts = parseTemplate(dialogTemplate);
    if (!parts) return std::nullopt;

    TemplateBytes out;
    Writer writer(out);
    writer.bytes(dialogTemplate.first(parts->font.begin));
    if (!writer.ok()) return std::nullopt;
    unsigned char* style = out.data() + parts->layout.styleAt;
    writeLittle32(style, readLittle32(style) | kSetFontStyle);
    writer.word(font.pointSize);
    if (parts->layout.extended) {
        writer.word(font.weight);
        writer.byte(font.italic ? 1 : 0);
        writer.byte(font.charset);
    }
    for (char c : font.faceName) writer.word(static_cast<std::uint16_t>(c));
    writer.word(0);

    for (const TemplateRange& item : parts->items) {
        writer.alignTo4();
        writer.bytes(dialogTemplate.subspan(item.begin, item.end - item.begin));
    }
    if (!writer.ok()) return std::nullopt;
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
