// A device opened by name and spoken to with device control requests.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// One open handle; closing it is destroying it. Safe to use from two threads at once.
class DeviceHandle {
public:
    virtual ~DeviceHandle() = default;
    // True when the request succeeded; returned receives the output byte count.
    virtual bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                         std::uint32_t* returned) = 0;
};

class Devices {
public:
    virtual ~Devices() = default;
    // Null when the device does not open (read/write access, existing device only).
    virtual std::unique_ptr<DeviceHandle> open(const char* path, std::uint32_t shareMode) = 0;
};

}  // namespace platform
