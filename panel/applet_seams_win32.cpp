#include <windows.h>

#include <cstring>

#include "panel/win32.h"
#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"

namespace panel::win32 {

void DoubleClickTime::set(std::uint32_t milliseconds) { SetDoubleClickTime(milliseconds); }

bool Programs::start(const char16_t* program, const char16_t* commandLine, int showState) {
    static_assert(sizeof(char16_t) == sizeof(wchar_t));
    // The system may write into the command line while it parses it.
    wchar_t line[MAX_PATH] = {};
    std::size_t length = 0;
    while (commandLine[length] != u'\0')
        if (++length == MAX_PATH) return false;
    std::memcpy(line, commandLine, length * sizeof(wchar_t));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(reinterpret_cast<const wchar_t*>(program), line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    // The program runs on its own; its handles are not needed.
    platform::win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    return true;
}

std::uintptr_t Module::loadIcon(int resourceId) {
    return reinterpret_cast<std::uintptr_t>(LoadIconW(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEW(resourceId)));
}

const char* Module::applicationName() {
    static_assert(sizeof name_ == 2 * MAX_PATH + 1);
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(instance_), path, MAX_PATH);
    // The path in GBK, in which the name is looked for; a character GBK cannot hold becomes '?'.
    char gbkPath[sizeof name_] = {};
    if (length != 0 && length < MAX_PATH) platform::win32::GbkFromWide(path, static_cast<int>(length), gbkPath);
    const std::string_view name = ApplicationNameFromPath(gbkPath);
    // Shorter than the path it comes from, so it always fits.
    std::memcpy(name_, name.data(), name.size());
    name_[name.size()] = '\0';
    return name_;
}

}  // namespace panel::win32
