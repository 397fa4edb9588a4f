#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

BOOL CALLBACK HandOverMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    // Nothing may unwind into the system's enumeration; a sink that fails ends it.
    try {
        MONITORINFOEXW info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoW(monitor, &info)) return TRUE;
        char device[2 * CCHDEVICENAME + 1];
        const std::size_t length = GbkFromWide(info.szDevice, -1, device);
        const MonitorInfo entry{{device, length},
                                {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom},
                                (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
        return reinterpret_cast<MonitorSink*>(data)->add(entry) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

WindowId Desktop::find(const char* className, const char* title) {
    return ToWindowId(FindWindowW(WideText(className).get(), WideText(title).get()));
}

void Desktop::bringToFront(WindowId window) { SetForegroundWindow(ToHwnd(window)); }

void Desktop::enumerate(MonitorSink& sink) {
    EnumDisplayMonitors(nullptr, nullptr, HandOverMonitor, reinterpret_cast<LPARAM>(&sink));
}

void Desktop::show(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

}  // namespace platform::win32
