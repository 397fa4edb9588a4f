#include <windows.h>

#include <cstring>

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

const char* Module::applicationName() {
    static_assert(sizeof name_ == MAX_PATH);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(instance_), path, sizeof path);
    const std::string_view name = length == 0 || length >= sizeof path ? "" : ApplicationNameFromPath(path);
    // Shorter than the path it comes from, so it always fits.
    std::memcpy(name_, name.data(), name.size());
    name_[name.size()] = '\0';
    return name_;
}

}  // namespace panel::win32
