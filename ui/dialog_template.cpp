#include "ui/dialog_template.h"

namespace ui {

std::uint32_t readLittle32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void writeLittle32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

TemplateLayout templateLayout(const unsigned char* bytes) {
    TemplateLayout layout;
    layout.extended = bytes[2] == 0xFF && bytes[3] == 0xFF;
    if (layout.extended) {
        layout.exStyleAt = 8;
        layout.styleAt = 12;
        layout.itemCountAt = 16;
        layout.fixedHeaderSize = 26;
        layout.fixedItemSize = 24;  // help id, extended style, style, x, y, cx, cy, 32-bit id
    } else {
        layout.styleAt = 0;
        layout.exStyleAt = 4;
        layout.itemCountAt = 8;
        layout.fixedHeaderSize = 18;
        layout.fixedItemSize = 18;  // style, extended style, x, y, cx, cy, 16-bit id
    }
    return layout;
}

namespace {

// Walks the template's 16-bit fields, failing once anything would lie past its end.
class Reader {
public:
    explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
    std::size_t at() const { return at_; }
    bool ok() const { return ok_; }

    bool skip(std::size_t count) {
        if (!ok_ || count > bytes_.size() - at_) return ok_ = false;
        at_ += count;
        return true;
    }
    std::uint16_t word() {
        if (!ok_ || bytes_.size() - at_ < 2) {
            ok_ = false;
            return 0;
        }
        const auto value = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    void string() {
        while (ok_ && word() != 0) {
        }
    }
    // A string, or 0xFFFF followed by a 16-bit ordinal.
    void stringOrOrdinal() {
        if (!ok_ || bytes_.size() - at_ < 2) {
            ok_ = false;
            return;
        }
        if (bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            skip(4);
        } else {
            string();
        }
    }
    void alignTo4() {
        const std::size_t padding = (4 - at_ % 4) % 4;
        // The padding after the last item may be missing; the next item's fields are checked anyway.
        at_ += padding < bytes_.size() - at_ ? padding : bytes_.size() - at_;
    }

private:
    std::span<const unsigned char> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

}  // namespace

std::optional<TemplateParts> parseTemplate(std::span<const unsigned char> bytes) {
    if (bytes.size() < 4) return std::nullopt;
    TemplateParts parts;
    parts.layout = templateLayout(bytes.data());
    if (bytes.size() < parts.layout.fixedHeaderSize) return std::nullopt;
    parts.style = readLittle32(bytes.data() + parts.layout.styleAt);
    const std::size_t itemCount = bytes[parts.layout.itemCountAt] | bytes[parts.layout.itemCountAt + 1] << 8;

    Reader reader(bytes);
    reader.skip(parts.layout.fixedHeaderSize);
    reader.stringOrOrdinal();  // menu
    reader.stringOrOrdinal();  // window class
    reader.string();           // title
    parts.font.begin = reader.at();
    if (parts.style & kSetFontStyle) {
        if (reader.word() != kMessageBoxFontSize) {
            if (parts.layout.extended) reader.skip(4);  // weight, italic, charset
            reader.string();
        }
    }
    parts.font.end = reader.at();

    for (std::size_t i = 0; i < itemCount && reader.ok(); ++i) {
        reader.alignTo4();
        TemplateRange item{reader.at(), 0};
        reader.skip(parts.layout.fixedItemSize);
        reader.stringOrOrdinal();    // class
        reader.stringOrOrdinal();    // text
        reader.skip(reader.word());  // creation data, after its byte count
        item.end = reader.at();
        // More items than there is room for: no parts, as for any template this layer cannot take.
        if (!parts.items.try_push_back(item)) return std::nullopt;
    }
    if (!reader.ok()) return std::nullopt;
    return parts;
}

}  // namespace ui
