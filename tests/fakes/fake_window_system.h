// Windows and threads for tests: windows are numbers, posted messages wait in a queue that the
// test pumps, events and threads are real (std::thread) so the worker can run as it does on Windows.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "calibrator/window_system.h"

namespace fakes {

struct Posted {
    platform::WindowId window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class FakeWindowSystem : public calibrator::WindowSystem {
public:
    bool failCreate = false;
    std::vector<platform::Rect> created;
    struct ShowCall {
        platform::WindowId window;
        int showCommand;
    };
    std::vector<ShowCall> shows;
    int quitCode = -1;  // -1 until the quit message is posted

    platform::WindowId createCalibrationWindow(const platform::Rect& area) override;
    void showWindow(platform::WindowId window, int showCommand) override { shows.push_back({window, showCommand}); }
    void postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void postQuit(int exitCode) override;

    // Takes the oldest posted message, waiting for one up to the given real time; false on time-out.
    bool nextPosted(Posted& message, int timeoutMs = 5000);
    std::vector<Posted> allPosted();  // history, in order

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Posted> queue_;
    std::vector<Posted> history_;
};

class FakeEvent : public calibrator::AutoResetEvent {
public:
    void set() override;
    void wait() override;

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

class FakeThreads : public calibrator::Threads {
public:
    ~FakeThreads() override { joinAll(); }
    bool failEvent = false;
    bool failThread = false;
    int started = 0;

    std::unique_ptr<calibrator::AutoResetEvent> createAutoResetEvent() override;
    bool start(void (*body)(void*), void* argument) override;
    void joinAll();

private:
    std::vector<std::thread> threads_;
};

}  // namespace fakes
