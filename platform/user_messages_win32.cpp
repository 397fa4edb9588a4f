#include <windows.h>

#include "platform/win32.h"

namespace platform::win32 {

int MessageBoxes::show(WindowId owner, const char* text, const char* caption, std::uint32_t flags) {
    return MessageBoxA(reinterpret_cast<HWND>(owner), text, caption, flags);
}

}  // namespace platform::win32
