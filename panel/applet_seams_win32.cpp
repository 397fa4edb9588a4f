#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "panel/win32.h"
#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"

namespace panel::win32 {

void DoubleClickTime::set(std::uint32_t milliseconds) { SetDoubleClickTime(milliseconds); }

namespace {

static_assert(sizeof(char16_t) == sizeof(wchar_t));
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// The program's manifest asks for more rights than this token has; MinGW's headers lack the name.
constexpr DWORD kErrorElevationRequired = 740;

StartResult FailureOf(DWORD error) {
    switch (error) {
        case kErrorElevationRequired: return StartResult::ElevationRequired;
        case ERROR_CANCELLED: return StartResult::Cancelled;
        default: return StartResult::Failed;
    }
}

}  // namespace

StartResult Programs::start(const char16_t* program, const char16_t* commandLine, int showState) {
    // The system may write into the command line while it parses it.
    wchar_t line[MAX_PATH] = {};
    std::size_t length = 0;
    while (commandLine[length] != u'\0')
        if (++length == MAX_PATH) return StartResult::Failed;
    std::memcpy(line, commandLine, length * sizeof(wchar_t));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(Wide(program), line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return FailureOf(GetLastError());
    // The program runs on its own; its handles are not needed.
    platform::win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    return StartResult::Started;
}

StartResult Programs::shellExecute(platform::WindowId owner, const char16_t* verb, const char16_t* file,
                                   const char16_t* parameters, int showState) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    // Returns once started; errors are the caller's to report.
    execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    execute.hwnd = reinterpret_cast<HWND>(owner);
    execute.lpVerb = Wide(verb);
    execute.lpFile = Wide(file);
    execute.lpParameters = Wide(parameters);
    execute.nShow = showState;
    return ShellExecuteExW(&execute) ? StartResult::Started : FailureOf(GetLastError());
}

const char16_t* Programs::systemFolder() {
    // A 32-bit module's own kind of program; a 64-bit build's are in System32.
    UINT length = sizeof(void*) == 4 ? GetSystemWow64DirectoryW(reinterpret_cast<wchar_t*>(folder_), MAX_PATH) : 0;
    if (length == 0 || length >= MAX_PATH) length = GetSystemDirectoryW(reinterpret_cast<wchar_t*>(folder_), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) length = 0;
    folder_[length] = u'\0';
    return folder_;
}

TokenElevation ProcessToken::elevation() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return TokenElevation::Default;
    const platform::win32::UniqueKernelHandle owned(token);
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    // Windows XP knows no elevation: the call fails there.
    if (!GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size)) return TokenElevation::Default;
    switch (type) {
        case TokenElevationTypeFull: return TokenElevation::Full;
        case TokenElevationTypeLimited: return TokenElevation::Limited;
        default: return TokenElevation::Default;
    }
}

std::uintptr_t Module::loadIcon(int resourceId) {
    return reinterpret_cast<std::uintptr_t>(LoadIconW(static_cast<HINSTANCE>(instance_), MAKEINTRESOURCEW(resourceId)));
}

const char16_t* Module::path() {
    const DWORD length =
        GetModuleFileNameW(static_cast<HMODULE>(instance_), reinterpret_cast<wchar_t*>(path_), MAX_PATH);
    path_[length < MAX_PATH ? length : 0] = u'\0';
    return path_;
}

const char* Module::applicationName() {
    static_assert(sizeof name_ == 2 * MAX_PATH + 1);
    // The path in GBK, in which the name is looked for; a character GBK cannot hold becomes '?'.
    char gbkPath[sizeof name_] = {};
    platform::win32::GbkFromWide(reinterpret_cast<const wchar_t*>(path()), -1, gbkPath);
    const std::string_view name = ApplicationNameFromPath(gbkPath);
    // Shorter than the path it comes from, so it always fits.
    std::memcpy(name_, name.data(), name.size());
    name_[name.size()] = '\0';
    return name_;
}

}  // namespace panel::win32
