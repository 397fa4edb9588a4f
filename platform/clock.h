// Waiting. Tests swap in a virtual clock that records every wait.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace platform
