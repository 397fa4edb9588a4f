// The calibrator's process-wide state and the seams it reaches Windows through; one instance per process.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "calibrator/display_selection.h"
#include "calibrator/prompt.h"
#include "calibrator/target_screen.h"
#include "calibrator/window_system.h"
#include "driver/controller_frames.h"
#include "driver/records.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/device.h"
#include "platform/registry.h"
#include "platform/user_messages.h"

namespace calibrator {

// The seams, one reference each; built with designated initializers, since several share a type family
// and a positional list would let a new seam slip into the wrong slot.
struct Platform {
    platform::Registry& registry;
    platform::Devices& devices;
    platform::Clock& clock;
    platform::MessageBoxes& messageBoxes;
    PromptDialog& prompt;
    platform::WindowFinder& windowFinder;
    platform::Monitors& monitors;
    platform::Pointer& pointer;
    WindowSystem& windows;
    Threads& threads;
    TargetScreen& screen;
};

inline constexpr std::size_t kPromptBufferSize = 100;

struct Calibrator {
    explicit Calibrator(const Platform& seams) : platform(seams) {}
    Calibrator(const Calibrator&) = delete;
    Calibrator& operator=(const Calibrator&) = delete;

    Platform platform;

    // Kept open until the process ends; both threads use it.
    std::unique_ptr<platform::DeviceHandle> device;
    platform::WindowId mainWindow = 0;
    std::uint32_t screenPosition = 0;
    DisplayLayout layout;

    std::atomic<std::uint32_t> controllerMode{0};
    std::atomic<std::uint32_t> firstPaint{0};
    std::atomic<std::uint32_t> stopRequested{0};
    std::unique_ptr<AutoResetEvent> startEvent;
    std::atomic<bool> workerStarted{false};
    // Set by ESC and by the window's end, never cleared (a paint clears stopRequested); main thread only.
    bool leaving = false;

    // Replies of "ET3" and "ET0"; kept between commands.
    std::uint8_t ackReply[tavrex::kAckReplyLength] = {};

    // The last pass's result: the worker writes it before posting that the pass is done, the main thread
    // reads it after that message, so the message orders the hand-off.
    tavrex::CalibrationRecord record{};
    tavrex::LinearityBytes linearity{};

    // What the prompt dialog shows; filled before it opens.
    char promptText[kPromptBufferSize] = {};
    char promptCaption[kPromptBufferSize] = {};
};

}  // namespace calibrator
