#include <windows.h>

#include "panel/win32.h"

namespace panel::win32 {

void DoubleClickTime::set(std::uint32_t milliseconds) { SetDoubleClickTime(milliseconds); }

// WinExec answers 31 or less when it failed.
bool Programs::start(const char* commandLine, int showState) {
    return WinExec(commandLine, static_cast<UINT>(showState)) > 31;
}

std::uintptr_t Module::loadIcon(int resourceId) {
    return reinterpret_cast<std::uintptr_t>(LoadIconA(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEA(resourceId)));
}

std::string Module::applicationName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(instance_), path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    return ApplicationNameFromPath(path);
}

}  // namespace panel::win32
