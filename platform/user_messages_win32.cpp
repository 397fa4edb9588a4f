#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

int MessageBoxes::show(WindowId owner, const char* text, const char* caption, std::uint32_t flags) {
    return MessageBoxA(ToHwnd(owner), text, caption, flags);
}

}  // namespace platform::win32
