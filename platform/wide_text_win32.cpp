#include "platform/wide_text_win32.h"

#include <new>

namespace platform::win32 {

WideText::WideText(const char* gbk) {
    if (!gbk) return;
    inline_[0] = L'\0';
    text_ = inline_;
    const int units = MultiByteToWideChar(kTextCodePage, 0, gbk, -1, nullptr, 0);
    if (units <= 0) return;
    wchar_t* out = inline_;
    if (static_cast<std::size_t>(units) > std::size(inline_)) {
        heap_.reset(new (std::nothrow) wchar_t[static_cast<std::size_t>(units)]);
        if (!heap_) return;
        out = heap_.get();
    }
    if (MultiByteToWideChar(kTextCodePage, 0, gbk, -1, out, units) > 0) text_ = out;
}

std::size_t GbkFromWide(const wchar_t* text, int count, std::span<char> buffer) {
    if (buffer.empty()) return 0;
    std::size_t length = 0;
    for (int at = 0; count < 0 ? text[at] != L'\0' : at < count;) {
        // A surrogate pair is one character.
        const int units =
            IS_HIGH_SURROGATE(text[at]) && (count < 0 || at + 1 < count) && IS_LOW_SURROGATE(text[at + 1]) ? 2 : 1;
        char bytes[4];
        const int width =
            WideCharToMultiByte(kTextCodePage, 0, text + at, units, bytes, sizeof bytes, nullptr, nullptr);
        if (width <= 0 || static_cast<std::size_t>(width) > buffer.size() - 1 - length) break;
        for (int i = 0; i < width; ++i) buffer[length++] = bytes[i];
        at += units;
    }
    buffer[length] = '\0';
    return length;
}

}  // namespace platform::win32
