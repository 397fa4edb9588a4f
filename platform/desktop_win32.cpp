#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/win32.h"

namespace platform::win32 {

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        MonitorInfo entry;
        entry.deviceName = info.szDevice;
        entry.rect = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
        entry.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
        reinterpret_cast<std::vector<MonitorInfo>*>(data)->push_back(entry);
    }
    return TRUE;
}

}  // namespace

WindowId Desktop::find(const char* className, const char* title) { return ToWindowId(FindWindowA(className, title)); }

void Desktop::bringToFront(WindowId window) { SetForegroundWindow(ToHwnd(window)); }

std::vector<MonitorInfo> Desktop::enumerate() {
    std::vector<MonitorInfo> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void Desktop::show(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

}  // namespace platform::win32
