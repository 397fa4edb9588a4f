#include "calibrator/window_system_win32.h"

#include <new>

namespace calibrator {

namespace {

class Event : public AutoResetEvent {
public:
    explicit Event(HANDLE handle) : handle_(handle) {}
    ~Event() override { CloseHandle(handle_); }
    void set() override { SetEvent(handle_); }
    void wait() override { WaitForSingleObject(handle_, INFINITE); }

private:
    HANDLE handle_;
};

struct ThreadStart {
    void (*body)(void*);
    void* argument;
};

DWORD WINAPI RunThread(LPVOID data) {
    ThreadStart start = *static_cast<ThreadStart*>(data);
    delete static_cast<ThreadStart*>(data);
    try {
        start.body(start.argument);
    } catch (...) {
        // A thread entry must not unwind into the system; the thread just ends.
    }
    return 0;
}

}  // namespace

platform::WindowId WindowSystemWin32::createCalibrationWindow(const platform::Rect& area) {
    const int width = static_cast<int>(static_cast<unsigned>(area.right) - static_cast<unsigned>(area.left));
    const int height = static_cast<int>(static_cast<unsigned>(area.bottom) - static_cast<unsigned>(area.top));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, className_, title_, WS_POPUP | WS_VISIBLE, area.left, area.top, width,
                                  height, nullptr, nullptr, instance_, nullptr);
    return reinterpret_cast<platform::WindowId>(window);
}

void WindowSystemWin32::showWindow(platform::WindowId window, int showCommand) {
    ShowWindow(reinterpret_cast<HWND>(window), showCommand);
    UpdateWindow(reinterpret_cast<HWND>(window));
}

void WindowSystemWin32::postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    PostMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

void WindowSystemWin32::postQuit(int exitCode) { PostQuitMessage(exitCode); }

std::unique_ptr<AutoResetEvent> ThreadsWin32::createAutoResetEvent() {
    HANDLE handle = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!handle) return nullptr;
    return std::make_unique<Event>(handle);
}

bool ThreadsWin32::start(void (*body)(void*), void* argument) {
    auto* start = new (std::nothrow) ThreadStart{body, argument};
    if (!start) return false;
    HANDLE thread = CreateThread(nullptr, 0, RunThread, start, 0, nullptr);
    if (!thread) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}

}  // namespace calibrator
