#include "calibrator/window_system_win32.h"

#include <new>

#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"

namespace calibrator {

namespace {

class Event : public AutoResetEvent {
public:
    explicit Event(platform::win32::UniqueKernelHandle handle) : handle_(std::move(handle)) {}
    void set() override { SetEvent(handle_.get()); }
    void wait() override { WaitForSingleObject(handle_.get(), INFINITE); }

private:
    platform::win32::UniqueKernelHandle handle_;
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
    HWND window = CreateWindowExW(WS_EX_TOPMOST, platform::win32::WideText(className_).get(),
                                  platform::win32::WideText(title_).get(), WS_POPUP | WS_VISIBLE, area.left, area.top,
                                  width, height, nullptr, nullptr, instance_, nullptr);
    return platform::win32::ToWindowId(window);
}

void WindowSystemWin32::showWindow(platform::WindowId window, int showCommand) {
    ShowWindow(platform::win32::ToHwnd(window), showCommand);
    UpdateWindow(platform::win32::ToHwnd(window));
}

void WindowSystemWin32::postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    PostMessageW(platform::win32::ToHwnd(window), message, wParam, lParam);
}

void WindowSystemWin32::postQuit(int exitCode) { PostQuitMessage(exitCode); }

std::unique_ptr<AutoResetEvent> ThreadsWin32::createAutoResetEvent() {
    platform::win32::UniqueKernelHandle handle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!handle) return nullptr;
    return std::make_unique<Event>(std::move(handle));
}

bool ThreadsWin32::start(void (*body)(void*), void* argument) {
    auto* start = new (std::nothrow) ThreadStart{body, argument};
    if (!start) return false;
    // The thread runs on its own; its handle is not needed.
    const platform::win32::UniqueKernelHandle thread(CreateThread(nullptr, 0, RunThread, start, 0, nullptr));
    if (!thread) delete start;
    return thread.valid();
}

}  // namespace calibrator
