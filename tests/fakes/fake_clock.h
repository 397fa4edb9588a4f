// A virtual clock: sleeping advances virtual time at once and is recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/clock.h"

namespace fakes {

class FakeClock : public platform::Clock {
public:
    void sleep(std::uint32_t milliseconds) override;
    std::vector<std::uint32_t> waits();  // every thread's, in order
    std::vector<std::uint32_t> waitsOn(std::thread::id thread);
    std::uint64_t now();
    // Called after each wait with the new virtual time (from the sleeping thread).
    std::function<void(std::uint64_t)> afterWait;

private:
    std::mutex mutex_;
    std::vector<std::uint32_t> waits_;
    std::vector<std::thread::id> threads_;
    std::uint64_t now_ = 0;
};

}  // namespace fakes
