#include "panel/gbk_text.h"

#include <charconv>

namespace panel {

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::size_t CopyGbk(char* buffer, std::size_t capacity, const char* text) {
    if (capacity == 0) return 0;
    std::size_t length = 0;
    while (text[length] != '\0') {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1] ? 2 : 1;
        if (length + width > capacity - 1) break;
        for (std::size_t i = 0; i < width; ++i) buffer[length + i] = text[length + i];
        length += width;
    }
    buffer[length] = '\0';
    return length;
}

std::size_t CopyUtf16(std::span<char16_t> field, const char16_t* text) {
    if (field.empty()) return 0;
    std::size_t length = 0;
    while (text[length] != u'\0') {
        const bool pair = text[length] >= 0xD800 && text[length] <= 0xDBFF && text[length + 1] >= 0xDC00 &&
                          text[length + 1] <= 0xDFFF;
        const std::size_t width = pair ? 2 : 1;
        if (length + width > field.size() - 1) break;
        for (std::size_t i = 0; i < width; ++i) field[length + i] = text[length + i];
        length += width;
    }
    field[length] = u'\0';
    return length;
}

std::size_t DecimalText(std::span<char> buffer, std::int32_t value) {
    if (buffer.empty()) return 0;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 1, value);
    const std::size_t length = error == std::errc{} ? static_cast<std::size_t>(end - buffer.data()) : 0;
    buffer[length] = '\0';
    return length;
}

std::optional<std::int32_t> DecimalValue(const char* text, std::size_t size) {
    std::size_t i = 0;
    while (i < size && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digits = i;
    std::uint32_t value = 0;
    while (i < size && text[i] >= '0' && text[i] <= '9')
        value = value * 10u + static_cast<std::uint32_t>(text[i++] - '0');
    if (i == digits) return std::nullopt;
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

}  // namespace panel
