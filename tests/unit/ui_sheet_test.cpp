#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "ui/sheet_geometry.h"
#include "ui/sheet_template.h"

namespace {

std::uint32_t word32(const std::array<unsigned char, 16>& bytes, int at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void put32(std::array<unsigned char, 16>& bytes, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

constexpr std::uint32_t kPopupSheetStyle =
    0x80000000 | 0x00C00000 | 0x00080000 | 0x80 | 0x40 | 0x04;  // with DS_SETFONT
constexpr std::uint32_t kModalFrame = 0x00000001;               // WS_EX_DLGMODALFRAME

TEST(SheetTemplate, BecomesAVisibleChildWithoutFrameInEitherLayout) {
    std::array<unsigned char, 16> plain{};
    put32(plain, 0, kPopupSheetStyle);
    put32(plain, 4, kModalFrame | 0x00010000);
    put32(plain, 8, 0x00070005);  // item count and x: not touched
    ui::makeChildSheetTemplate(plain.data());
    EXPECT_EQ(word32(plain, 0), 0x40000000u | 0x10000000u | 0x40u);
    EXPECT_EQ(word32(plain, 4), 0u);
    EXPECT_EQ(word32(plain, 8), 0x00070005u);

    std::array<unsigned char, 16> extended{};
    put32(extended, 0, 0xFFFF0001);  // version 1, signature 0xFFFF
    put32(extended, 4, 1234);        // help id
    put32(extended, 8, kModalFrame);
    put32(extended, 12, kPopupSheetStyle | 0x08);  // DS_SHELLFONT
    ui::makeChildSheetTemplate(extended.data());
    EXPECT_EQ(word32(extended, 0), 0xFFFF0001u);
    EXPECT_EQ(word32(extended, 4), 1234u);
    EXPECT_EQ(word32(extended, 8), 0u);
    EXPECT_EQ(word32(extended, 12), 0x40000000u | 0x10000000u | 0x48u);

    EXPECT_EQ(ui::childSheetStyle(0), 0x50000000u);
}

TEST(SheetGeometry, ShrinksToTheTabControlWithItsMargins) {
    // A borderless child: window and client sizes agree.
    ui::Size size = ui::shrunkSheetSize({7, 7, 357, 290}, {371, 330}, {371, 330});
    EXPECT_EQ(size.width, 364);
    EXPECT_EQ(size.height, 297);
    // A frame around the client area is kept.
    size = ui::shrunkSheetSize({4, 6, 200, 150}, {214, 180}, {210, 176});
    EXPECT_EQ(size.width, 208);
    EXPECT_EQ(size.height, 160);
    // Nonsense rectangles neither overflow nor give negative sizes.
    size = ui::shrunkSheetSize({0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFFF, 0x7FFFFFFF}, {10, 10}, {0, 0});
    EXPECT_EQ(size.width, 0x7FFFFFFF);
    size = ui::shrunkSheetSize({-5, -5, -20, -20}, {0, 0}, {0, 0});
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 0);
}

}  // namespace
