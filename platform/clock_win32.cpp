#include <windows.h>

#include "platform/win32.h"

namespace platform::win32 {

void Clock::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace platform::win32
