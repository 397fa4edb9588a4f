#include "panel/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GbkText, CopyNeverSplitsACharacter) {
    char buffer[6];
    EXPECT_EQ(panel::CopyGbk(buffer, sizeof buffer, "ab设置"), 4u);  // "ab" and one character of two bytes
    EXPECT_EQ(std::string(buffer), std::string("ab\xC9\xE8"));
    EXPECT_EQ(panel::CopyGbk(buffer, sizeof buffer, "abcdefgh"), 5u);
    EXPECT_EQ(std::string(buffer), "abcde");
    // The same for UTF-16 and a surrogate pair.
    char16_t field[4];
    EXPECT_EQ(panel::CopyUtf16(field, u"a\U0002000Bb"), 3u);
    EXPECT_EQ(std::u16string(field), u"a\U0002000B");
    EXPECT_EQ(panel::CopyUtf16(field, u"ab\U0002000B"), 2u);
    EXPECT_EQ(std::u16string(field), u"ab");
}

TEST(GbkText, DecimalValueIsBoundedAndDefinedForEveryInput) {
    EXPECT_EQ(panel::DecimalValue("  +42abc", 8), 42);
    EXPECT_EQ(panel::DecimalValue("\t-0017", 6), -17);
    EXPECT_EQ(panel::DecimalValue("12345", 3), 123);
    EXPECT_EQ(panel::DecimalValue("     ", 5), std::nullopt);
    EXPECT_EQ(panel::DecimalValue("-", 1), std::nullopt);
    EXPECT_EQ(panel::DecimalValue(" -0x", 4), 0);         // a digit, if only a zero
    EXPECT_EQ(panel::DecimalValue("4294967297", 10), 1);  // wraps instead of overflowing
}

}  // namespace
