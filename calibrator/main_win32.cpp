// brennick's entry point, window class and window procedure: Windows on one side, the
// calibrator's logic on the other.
#include <windows.h>

#include <new>

#include "calibrator/calibrator.h"
#include "calibrator/prompt_win32.h"
#include "calibrator/resource_ids.h"
#include "calibrator/sequence.h"
#include "calibrator/startup.h"
#include "calibrator/target_screen_win32.h"
#include "calibrator/texts.h"
#include "calibrator/window_system_win32.h"
#include "platform/handles_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32.h"

LRESULT CALLBACK CalibratorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

using calibrator::Calibrator;

// The Win32 side of every seam the calibrator uses.
struct Win32Seams {
    explicit Win32Seams(HINSTANCE instance)
        : windows(instance, calibrator::text::kClassName, calibrator::text::kWindowTitle),
          prompt(instance),
          screen(instance) {}
    calibrator::Platform platform() {
        return {.registry = registry,
                .devices = devices,
                .clock = clock,
                .messageBoxes = messageBoxes,
                .prompt = prompt,
                .windowFinder = desktop,
                .monitors = desktop,
                .pointer = desktop,
                .windows = windows,
                .threads = threads,
                .screen = screen};
    }
    platform::win32::Registry registry;
    platform::win32::Devices devices;
    platform::win32::Clock clock;
    platform::win32::MessageBoxes messageBoxes;
    platform::win32::Desktop desktop;
    calibrator::WindowSystemWin32 windows;
    calibrator::ThreadsWin32 threads;
    calibrator::PromptDialogWin32 prompt;
    calibrator::TargetScreenWin32 screen;
};

// Created once and never destroyed: the worker thread may still use it while the process ends.
Calibrator* g_app = nullptr;

void RegisterCalibratorClass(HINSTANCE instance) {
    const platform::win32::WideText className(calibrator::text::kClassName);
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CALIBRATOR));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));  // an ordinal
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.get();
    windowClass.lpfnWndProc = CalibratorWndProc;
    RegisterClassW(&windowClass);
}

}  // namespace

LRESULT CALLBACK CalibratorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind into the system's dispatcher; an allocation that fails here ends the program
    // the way ESC would not, but cleanly: quit with 0.
    try {
        if (g_app && g_app->mainWindow == platform::win32::ToWindowId(window) &&
            calibrator::HandleCalibratorMessage(*g_app, message, wParam, lParam))
            return 0;
    } catch (...) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

int Run(HINSTANCE instance, int showCommand) {
    auto* seams = new (std::nothrow) Win32Seams(instance);
    if (!seams) return 0;
    g_app = new (std::nothrow) Calibrator(seams->platform());
    if (!g_app) return 0;

    RegisterCalibratorClass(instance);
    if (!calibrator::InitInstance(*g_app, showCommand)) return 0;

    calibrator::StartPasses(*g_app);
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

}  // namespace

// The program's exit code is 0 in every case.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        return Run(instance, showCommand);
    } catch (...) {
        return 0;
    }
}
