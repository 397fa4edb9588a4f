// The one border between the tools' texts and the wide functions: the logic holds its texts as GBK
// (code page 936), Windows takes and gives UTF-16. Named code page, never the system's: a Western or
// UTF-8 system code page would read GBK bytes as other characters.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <span>

namespace platform::win32 {

inline constexpr UINT kTextCodePage = 936;

// A GBK text as UTF-16 for one call. A null text stays null; a text that cannot be converted, or for which
// no memory is left, becomes empty.
class WideText {
public:
    explicit WideText(const char* gbk);
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    const wchar_t* get() const { return text_; }

private:
    wchar_t inline_[128];
    std::unique_ptr<wchar_t[]> heap_;
    const wchar_t* text_ = nullptr;
};

// A UTF-16 text from Windows (count units, or up to its terminator when count is -1) as GBK into the
// buffer, terminated, whole characters only: one that no longer fits ends the text. A character GBK
// cannot hold becomes '?'. The number of bytes before the terminator.
std::size_t GbkFromWide(const wchar_t* text, int count, std::span<char> buffer);

}  // namespace platform::win32
