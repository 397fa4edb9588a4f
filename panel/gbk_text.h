// Bounded handling of GBK byte strings, and of the UTF-16 texts handed to Windows, in fixed buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace panel {

// Copies text into a buffer of capacity bytes, always terminated, never splitting a double-byte
// character. Returns the number of bytes copied before the terminator.
std::size_t CopyGbk(char* buffer, std::size_t capacity, const char* text);

// Copies a UTF-16 text into a field, always terminated, never splitting a surrogate pair. Returns the
// number of units copied before the terminator.
std::size_t CopyUtf16(std::span<char16_t> field, const char16_t* text);

// The longest decimal text of a 32-bit value, "-2147483648", with its terminator.
inline constexpr std::size_t kDecimalTextSize = 12;

// Writes value in decimal into the buffer, terminated; an empty text when the buffer is too small.
// Returns the number of bytes before the terminator.
std::size_t DecimalText(std::span<char> buffer, std::int32_t value);

// The decimal value of a text as the standard string-to-integer conversion takes it (leading white
// space, an optional sign, digits up to the first non-digit), reading at most size bytes; nothing
// when no digit follows the white space and the sign, where that conversion would give 0. Values
// beyond 32 bits wrap as two's complement rather than overflow.
std::optional<std::int32_t> DecimalValue(const char* text, std::size_t size);

}  // namespace panel
