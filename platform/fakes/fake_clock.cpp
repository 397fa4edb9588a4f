#include "platform/fakes/fake_clock.h"

namespace fakes {

void FakeClock::sleep(std::uint32_t milliseconds) {
    std::uint64_t time = 0;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        waits_.push_back(milliseconds);
        time = now_ += milliseconds;
    }
    if (afterWait) afterWait(time);
}

std::vector<std::uint32_t> FakeClock::waits() {
    std::lock_guard<std::mutex> guard(mutex_);
    return waits_;
}

std::uint64_t FakeClock::now() {
    std::lock_guard<std::mutex> guard(mutex_);
    return now_;
}

}  // namespace fakes
