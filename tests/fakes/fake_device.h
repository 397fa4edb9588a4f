// Devices for tests: "\\.\tavrex" is served by the stand-in driver's protocol core, which reads
// its Parameters values from the fake registry. A hook can change any answer.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/device.h"
#include "standin/protocol_core.h"
#include "tests/fakes/fake_registry.h"

namespace fakes {

class FakeDevices : public platform::Devices {
public:
    explicit FakeDevices(FakeRegistry& registry);

    bool present = true;  // false: the device does not open
    // The driver loads again: power-on state, Parameters read anew.
    void restart();
    struct OpenCall {
        std::string path;
        std::uint32_t shareMode;
    };
    std::vector<OpenCall> opens;
    int live() const { return live_; }  // handles open now

    // Sees every request once the driver has answered it, may change the reply in out, and gives the
    // caller's result: for devices and controllers that misbehave in ways the stand-in does not play.
    // Runs under lock(); set it under lock() while another thread may send.
    using Hook = std::function<bool(std::uint32_t code, const void* in, void* out, bool answered)>;
    Hook hook;

    // The driver behind the device; lock() before touching it while another thread may send.
    standin::ProtocolCore& core() { return *core_; }
    std::unique_lock<std::mutex> lock() { return std::unique_lock<std::mutex>(mutex_); }
    // The requests the driver received, test-only ones left out.
    std::vector<standin::LogEntry> log();
    std::vector<std::uint32_t> codes();

    std::unique_ptr<platform::DeviceHandle> open(const char* path, std::uint32_t shareMode) override;

private:
    friend class FakeDeviceHandle;
    FakeRegistry& registry_;
    std::unique_ptr<standin::ProtocolCore> core_;
    std::mutex mutex_;
    std::atomic<int> live_ = 0;
};

}  // namespace fakes
