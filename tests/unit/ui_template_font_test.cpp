#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog_template.h"
#include "ui/sheet_template.h"
#include "ui/template_font.h"

namespace {

constexpr std::uint32_t kPageStyle = 0x40000000 | 0x08000000 | 0x00C00000;  // WS_CHILD | WS_DISABLED | WS_CAPTION
constexpr std::uint32_t kSetFont = 0x40;

// Writes templates field by field, at offsets from the template's start, as a resource compiler lays them out.
class Builder {
public:
    std::vector<unsigned char> bytes;

    Builder& word(std::uint16_t value) {
        bytes.push_back(static_cast<unsigned char>(value & 0xFF));
        bytes.push_back(static_cast<unsigned char>(value >> 8));
        return *this;
    }
    Builder& dword(std::uint32_t value) { return word(value & 0xFFFF).word(static_cast<std::uint16_t>(value >> 16)); }
    Builder& text(std::string_view ascii) {
        for (char c : ascii) word(static_cast<std::uint16_t>(c));
        return word(0);
    }
    Builder& ordinal(std::uint16_t value) { return word(0xFFFF).word(value); }
    Builder& align() {
        while (bytes.size() % 4) bytes.push_back(0);
        return *this;
    }
    Builder& data(std::vector<unsigned char> extra) {
        word(static_cast<std::uint16_t>(extra.size()));
        bytes.insert(bytes.end(), extra.begin(), extra.end());
        return *this;
    }
};

struct Font {
    std::uint16_t size;
    std::string_view face;
    std::uint16_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t charset = 1;
};

// A page with a trackbar named by its class string, an ordinal-class static with an icon ordinal for text,
// and a button carrying creation data. No font when `font` is null.
std::vector<unsigned char> plainPage(std::uint32_t style, const Font* font) {
    Builder b;
    b.dword(style).dword(0).word(3).word(0).word(0).word(239).word(159);
    b.word(0).word(0).text("Page");  // no menu, the default class, a title
    if (font) b.word(font->size).text(font->face);
    b.align().dword(0x50010000).dword(0).word(20).word(20).word(120).word(15).word(211);
    b.text("msctls_trackbar32").text("").data({});
    b.align().dword(0x50000003).dword(0).word(5).word(5).word(21).word(20).word(4015);
    b.ordinal(0x0082).ordinal(101).data({0xAA, 0xBB});
    b.align().dword(0x50010000).dword(0).word(20).word(70).word(60).word(14).word(214);
    b.ordinal(0x0080).text("Test it").data({1, 2, 3, 4, 5, 6});
    return b.bytes;
}

std::vector<unsigned char> extendedPage(std::uint32_t style, const Font* font) {
    Builder b;
    b.word(1).word(0xFFFF).dword(77).dword(0x00010000).dword(style).word(2).word(0).word(0).word(251).word(165);
    b.ordinal(3).text("PageClass").text("About");  // a menu ordinal, a class name, a title
    if (font)
        b.word(font->size)
            .word(font->weight)
            .word(static_cast<std::uint16_t>(font->italic | font->charset << 8))
            .text(font->face);
    b.align().dword(9).dword(0x20).dword(0x50000000).word(1).word(2).word(3).word(4).dword(0x12345);
    b.text("Static").ordinal(7).data({0x10, 0x20});
    b.align().dword(0).dword(0).dword(0x50010001).word(1).word(2).word(3).word(4).dword(1);
    b.ordinal(0x0080).text("OK").data({});
    return b.bytes;
}

ui::DialogFont sheetFont(const Font& font) {
    return {font.size, font.weight, font.italic != 0, font.charset, font.face};
}

// The input in a heap block of exactly its size, so that the sanitizer sees any read past its end.
std::optional<std::vector<unsigned char>> rewrite(const std::vector<unsigned char>& input, const Font& font) {
    auto exact = std::make_unique<unsigned char[]>(input.size());
    std::copy(input.begin(), input.end(), exact.get());
    const auto copy = ui::withFont({exact.get(), input.size()}, sheetFont(font));
    if (!copy) return std::nullopt;
    return std::vector<unsigned char>(copy->begin(), copy->end());
}

TEST(TemplateFont, ReplacesThePlainLayoutsFontAndRealignsEveryItem) {
    const Font original{10, "MS Sans Serif"};
    // Longer and shorter names, of both parities, move the items by every multiple of two bytes.
    for (const Font& wanted :
         {Font{8, "MS Shell Dlg"}, Font{8, "A"}, Font{9, "Microsoft Sans Serif"}, Font{12, "SimSun"}, Font{8, ""}}) {
        SCOPED_TRACE(wanted.face);
        const auto copy = rewrite(plainPage(kPageStyle | kSetFont, &original), wanted);
        ASSERT_TRUE(copy);
        EXPECT_EQ(*copy, plainPage(kPageStyle | kSetFont, &wanted));
    }
    // A template without a font gets one, and the flag that says so.
    const Font wanted{8, "MS Shell Dlg"};
    const auto copy = rewrite(plainPage(kPageStyle, nullptr), wanted);
    ASSERT_TRUE(copy);
    EXPECT_EQ(*copy, plainPage(kPageStyle | kSetFont, &wanted));

    // The copy reads back with the same items.
    const auto parts = ui::parseTemplate(*copy);
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->items.size(), 3u);
    for (const ui::TemplateRange& item : parts->items) EXPECT_EQ(item.begin % 4, 0u);
}

TEST(TemplateFont, ReplacesTheExtendedLayoutsFontWeightItalicAndCharset) {
    // Weight, italic and charset of zero are read as numbers, not as the end of a face name.
    for (const Font& original : {Font{10, "Microsoft Sans Serif", 700, 1, 134}, Font{10, "MS Sans Serif", 0, 0, 0}}) {
        for (const Font& wanted : {Font{8, "MS Shell Dlg"}, Font{8, "Tahoma", 400, 0, 0}, Font{11, "X", 600, 1, 2}}) {
            SCOPED_TRACE(std::string(original.face) + " to " + std::string(wanted.face));
            const auto copy = rewrite(extendedPage(kPageStyle | kSetFont | 0x08, &original), wanted);
            ASSERT_TRUE(copy);
            EXPECT_EQ(*copy, extendedPage(kPageStyle | kSetFont | 0x08, &wanted));
        }
    }
    const auto copy = rewrite(extendedPage(kPageStyle, nullptr), Font{8, "MS Shell Dlg"});
    ASSERT_TRUE(copy);
    const Font wanted{8, "MS Shell Dlg"};
    EXPECT_EQ(*copy, extendedPage(kPageStyle | kSetFont, &wanted));
    EXPECT_EQ(ui::parseTemplate(*copy)->items.size(), 2u);
}

TEST(TemplateFont, GivesNoCopyOfATemplateCutShortUnterminatedOrTooLarge) {
    const Font original{10, "MS Sans Serif"};
    const Font wanted{8, "MS Shell Dlg"};
    for (const auto& whole :
         {plainPage(kPageStyle | kSetFont, &original), extendedPage(kPageStyle | kSetFont, &original)}) {
        ASSERT_TRUE(rewrite(whole, wanted));
        // Every cut through the header or an item; the sanitizer catches any read beyond the cut.
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
            EXPECT_FALSE(rewrite(cut, wanted)) << "cut at " << size << " of " << whole.size();
        }
        // More items claimed than there are.
        std::vector<unsigned char> overclaimed = whole;
        overclaimed[ui::templateLayout(whole.data()).itemCountAt] += 1;
        EXPECT_FALSE(rewrite(overclaimed, wanted));
        // Padding and other bytes after the last item are not part of the copy.
        std::vector<unsigned char> padded = whole;
        padded.insert(padded.end(), {0, 0, 0xEE, 0xEE});
        EXPECT_EQ(rewrite(padded, wanted), rewrite(whole, wanted));
    }
    // A title that never ends.
    Builder endless;
    endless.dword(kPageStyle).dword(0).word(0).word(0).word(0).word(10).word(10).word(0).word(0).word('P').word('g');
    EXPECT_FALSE(rewrite(endless.bytes, wanted));
    // A face name that cannot be written as a template string.
    EXPECT_FALSE(rewrite(plainPage(kPageStyle, nullptr), Font{8, "宋体"}));
    // Beyond what the layer holds, no copy rather than a throw: more items than a parse keeps, and a copy
    // longer than its bytes.
    auto withItems = [](std::size_t count, std::string_view text) {
        Builder b;
        b.dword(kPageStyle).dword(0).word(static_cast<std::uint16_t>(count)).word(0).word(0).word(9).word(9);
        b.word(0).word(0).text("P");
        for (std::size_t i = 0; i < count; ++i)
            b.align()
                .dword(0x50000000)
                .dword(0)
                .word(1)
                .word(1)
                .word(1)
                .word(1)
                .word(1)
                .ordinal(0x82)
                .text(text)
                .data({});
        return b.bytes;
    };
    EXPECT_TRUE(rewrite(withItems(ui::kTemplateItemCapacity, ""), wanted));
    EXPECT_FALSE(ui::parseTemplate(withItems(ui::kTemplateItemCapacity + 1, "")));
    EXPECT_FALSE(rewrite(withItems(ui::kTemplateItemCapacity + 1, ""), wanted));
    const auto large = withItems(20, std::string(50, 'x'));
    ASSERT_TRUE(ui::parseTemplate(large));
    EXPECT_FALSE(rewrite(large, wanted));
}

TEST(TemplateFont, KeepsATemplateThatUsesTheMessageBoxFontReadable) {
    // The message box font's point size has no face name after it: the items follow at once.
    Builder b;
    b.dword(kPageStyle | kSetFont).dword(0).word(1).word(0).word(0).word(100).word(50);
    b.word(0).word(0).text("").word(ui::kMessageBoxFontSize);
    b.align().dword(0x50000000).dword(0).word(1).word(2).word(3).word(4).word(5).ordinal(0x0082).text("Hi").data({});
    const auto copy = rewrite(b.bytes, Font{8, "MS Shell Dlg"});
    ASSERT_TRUE(copy);
    Builder expected;
    expected.dword(kPageStyle | kSetFont).dword(0).word(1).word(0).word(0).word(100).word(50);
    expected.word(0).word(0).text("").word(8).text("MS Shell Dlg");
    expected.align().dword(0x50000000).dword(0).word(1).word(2).word(3).word(4).word(5).ordinal(0x0082).text("Hi");
    expected.data({});
    EXPECT_EQ(*copy, expected.bytes);
}

TEST(TemplateFont, SetsTheSizeOfATemplatesOwnFontInPlace) {
    const Font wanted{8, "MS Shell Dlg", 400, 0, 1};
    const Font larger{9, "MS Shell Dlg"};
    std::vector<unsigned char> plain = plainPage(kPageStyle | kSetFont, &larger);
    EXPECT_TRUE(ui::setFontSize(plain, sheetFont(wanted)));
    EXPECT_EQ(plain, plainPage(kPageStyle | kSetFont, &wanted));

    const Font bold{9, "MS Shell Dlg", 700, 1, 134};
    std::vector<unsigned char> extended = extendedPage(kPageStyle | kSetFont, &bold);
    EXPECT_TRUE(ui::setFontSize(extended, sheetFont(wanted)));
    EXPECT_EQ(extended, extendedPage(kPageStyle | kSetFont, &wanted));

    // Without font fields, cut short, or in the message box font: left as it was.
    for (std::vector<unsigned char> unchanged :
         {plainPage(kPageStyle, nullptr), std::vector<unsigned char>(plain.begin(), plain.end() - 2)}) {
        const std::vector<unsigned char> before = unchanged;
        EXPECT_FALSE(ui::setFontSize(unchanged, sheetFont(wanted)));
        EXPECT_EQ(unchanged, before);
    }
}

}  // namespace
