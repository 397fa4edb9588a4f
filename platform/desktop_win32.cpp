#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

BOOL CALLBACK HandOverMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const MonitorInfo entry{info.szDevice,
                            {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom},
                            (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
    return reinterpret_cast<MonitorSink*>(data)->add(entry) ? TRUE : FALSE;
}

}  // namespace

WindowId Desktop::find(const char* className, const char* title) { return ToWindowId(FindWindowA(className, title)); }

void Desktop::bringToFront(WindowId window) { SetForegroundWindow(ToHwnd(window)); }

void Desktop::enumerate(MonitorSink& sink) {
    EnumDisplayMonitors(nullptr, nullptr, HandOverMonitor, reinterpret_cast<LPARAM>(&sink));
}

void Desktop::show(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

}  // namespace platform::win32
