#include "tests/fakes/fake_clock.h"

namespace fakes {

void FakeClock::sleep(std::uint32_t milliseconds) {
    std::uint64_t time = 0;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        waits_.push_back(milliseconds);
        threads_.push_back(std::this_thread::get_id());
        time = now_ += milliseconds;
    }
    if (afterWait) afterWait(time);
}

std::vector<std::uint32_t> FakeClock::waits() {
    std::lock_guard<std::mutex> guard(mutex_);
    return waits_;
}

std::vector<std::uint32_t> FakeClock::waitsOn(std::thread::id thread) {
    std::lock_guard<std::mutex> guard(mutex_);
    std::vector<std::uint32_t> result;
    for (std::size_t i = 0; i < waits_.size(); ++i)
        if (threads_[i] == thread) result.push_back(waits_[i]);
    return result;
}

std::uint64_t FakeClock::now() {
    std::lock_guard<std::mutex> guard(mutex_);
    return now_;
}

}  // namespace fakes
