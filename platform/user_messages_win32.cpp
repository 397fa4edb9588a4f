#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

int MessageBoxes::show(WindowId owner, const char* text, const char* caption, std::uint32_t flags) {
    return MessageBoxW(ToHwnd(owner), WideText(text).get(), WideText(caption).get(), flags);
}

}  // namespace platform::win32
