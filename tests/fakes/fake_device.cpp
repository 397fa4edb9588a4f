#include "tests/fakes/fake_device.h"

#include "driver/parameters.h"
#include "driver/requests.h"

namespace fakes {

namespace {

bool ReadParameter(void* context, const char* name, std::uint32_t* value) {
    auto* registry = static_cast<FakeRegistry*>(context);
    auto key = registry->open(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyRead);
    return key && key->queryDword(name, *value);
}

}  // namespace

class FakeDeviceHandle : public platform::DeviceHandle {
public:
    explicit FakeDeviceHandle(FakeDevices& devices) : devices_(devices) { ++devices_.live_; }
    ~FakeDeviceHandle() override { --devices_.live_; }
    bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                 std::uint32_t* returned) override {
        std::lock_guard<std::mutex> guard(devices_.mutex_);
        std::uint32_t count = 0;
        bool ok = devices_.core_->handle(code, in, inSize, out, outSize, &count) == standin::Status::Ok;
        if (devices_.hook) ok = devices_.hook(code, in, out, ok);
        if (returned) *returned = ok ? count : 0;
        return ok;
    }

private:
    FakeDevices& devices_;
};

FakeDevices::FakeDevices(FakeRegistry& registry)
    : registry_(registry), core_(std::make_unique<standin::ProtocolCore>()) {
    restart();
}

void FakeDevices::restart() {
    std::lock_guard<std::mutex> guard(mutex_);
    core_->init({&registry_, &ReadParameter});
}

std::vector<standin::LogEntry> FakeDevices::log() {
    std::lock_guard<std::mutex> guard(mutex_);
    std::vector<standin::LogEntry> entries;
    for (std::uint32_t i = 0; i < core_->logCount(); ++i) entries.push_back(*core_->logEntry(i));
    return entries;
}

std::vector<std::uint32_t> FakeDevices::codes() {
    std::vector<std::uint32_t> result;
    for (const auto& entry : log()) result.push_back(entry.code);
    return result;
}

std::unique_ptr<platform::DeviceHandle> FakeDevices::open(const char* path, std::uint32_t shareMode) {
    opens.push_back({path, shareMode});
    if (!present || std::string(path) != tavrex::kDevicePath) return nullptr;
    return std::make_unique<FakeDeviceHandle>(*this);
}

}  // namespace fakes
