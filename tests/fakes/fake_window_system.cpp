#include "tests/fakes/fake_window_system.h"

namespace fakes {

platform::WindowId FakeWindowSystem::createCalibrationWindow(const platform::Rect& area) {
    if (failCreate) return 0;
    created.push_back(area);
    return 0x1000 + created.size();
}

void FakeWindowSystem::postMessage(platform::WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
    std::lock_guard<std::mutex> guard(mutex_);
    queue_.push_back({window, message, wParam, lParam});
    history_.push_back(queue_.back());
    changed_.notify_all();
}

void FakeWindowSystem::postQuit(int exitCode) {
    std::lock_guard<std::mutex> guard(mutex_);
    quitCode = exitCode;
    changed_.notify_all();
}

bool FakeWindowSystem::nextPosted(Posted& message, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !queue_.empty(); }))
        return false;
    message = queue_.front();
    queue_.pop_front();
    return true;
}

std::vector<Posted> FakeWindowSystem::allPosted() {
    std::lock_guard<std::mutex> guard(mutex_);
    return history_;
}

void FakeEvent::set() {
    std::lock_guard<std::mutex> guard(mutex_);
    set_ = true;
    signalled_.notify_one();
}

void FakeEvent::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    signalled_.wait(lock, [this] { return set_; });
    set_ = false;
}

std::unique_ptr<calibrator::AutoResetEvent> FakeThreads::createAutoResetEvent() {
    if (failEvent) return nullptr;
    return std::make_unique<FakeEvent>();
}

bool FakeThreads::start(void (*body)(void*), void* argument) {
    if (failThread) return false;
    ++started;
    threads_.emplace_back(body, argument);
    return true;
}

void FakeThreads::joinAll() {
    for (auto& thread : threads_)
        if (thread.joinable()) thread.join();
    threads_.clear();
}

}  // namespace fakes
