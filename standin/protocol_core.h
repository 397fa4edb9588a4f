// The stand-in touch driver's protocol: answers every request as the real driver does, keeps the
// calibration and linearity values, and emulates the touch controller. No OS calls, no allocation:
// the same code runs behind the host fake device and inside the kernel-mode driver.
#pragma once

#include <cstdint>

#include "driver/records.h"
#include "driver/screen_position.h"
#include "standin/test_requests.h"

namespace standin {

// Reads one DWORD of the driver's Parameters key; false when the value is missing.
struct ParameterSource {
    void* context = nullptr;
    bool (*readDword)(void* context, const char* name, std::uint32_t* value) = nullptr;
};

enum class Status : std::int32_t { Ok = 0, InvalidRequest, BufferTooSmall, DeviceNotReady };

class ProtocolCore {
public:
    static constexpr std::uint32_t kTouchQueueSize = 64;
    static constexpr std::uint32_t kLogSize = 4096;

    // Sets everything to its power-on state and reads the Parameters values.
    void init(const ParameterSource& source);

    // One device control request. Not reentrant: the shell serialises calls.
    Status handle(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                  std::uint32_t* returned);

    // Steering and inspection, also reachable through the test-only requests.
    bool queueTouch(std::int32_t x, std::int32_t y);
    void setControllerBehaviour(ControllerBehaviour behaviour) { controller_ = behaviour; }
    void setControllerFailures(std::uint32_t count) { controllerFailuresLeft_ = count; }
    void setStateCurrent(bool current) { stateCurrent_ = current; }
    void setVersionCurrent(bool current) { versionCurrent_ = current; }
    // That request is logged, then refused as by a device that is not ready; 0 refuses none.
    void setFailingRequest(std::uint32_t code) { failingRequest_ = code; }
    const tavrex::CalibrationRecord& calibration() const { return calibration_; }
    std::uint32_t linearityX() const { return linearityX_; }
    std::uint32_t linearityY() const { return linearityY_; }
    std::uint32_t screenPosition() const { return screenPosition_; }
    std::uint32_t logCount() const { return logCount_ < kLogSize ? logCount_ : kLogSize; }
    std::uint32_t logDropped() const { return logCount_ < kLogSize ? 0 : logCount_ - kLogSize; }
    const LogEntry* logEntry(std::uint32_t index) const;  // oldest first; null past the end
    void clearLog() { logCount_ = 0; }
    std::uint32_t testBeepCount() const { return testBeeps_; }
    const tavrex::BeepRecord& beep() const { return beep_; }

private:
    void reloadSettings();
    void record(std::uint32_t code, const void* in, std::uint32_t inSize);
    Status controllerCommand(const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                             std::uint32_t* returned);
    Status testRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                       std::uint32_t* returned);

    ParameterSource source_{};
    tavrex::CalibrationRecord calibration_{};
    tavrex::BeepRecord beep_{};
    std::uint32_t screenPosition_ = tavrex::SCREEN_SINGLE;
    std::uint32_t port_ = 0;
    std::uint32_t linearityX_ = 3072;
    std::uint32_t linearityY_ = 3072;
    bool stateCurrent_ = true;
    bool versionCurrent_ = true;
    std::uint32_t failingRequest_ = 0;
    ControllerBehaviour controller_ = CONTROLLER_ANSWERING;
    std::uint32_t controllerFailuresLeft_ = 0;
    bool controllerCalibrating_ = false;
    std::uint32_t testBeeps_ = 0;

    // Touch capture: each arm takes the next queued touch for the reads that follow.
    struct Touch {
        std::int32_t x, y;
    };
    Touch touches_[kTouchQueueSize]{};
    std::uint32_t touchHead_ = 0;
    std::uint32_t touchCount_ = 0;
    bool armed_ = false;
    bool captured_ = false;
    Touch capturedTouch_{};

    LogEntry log_[kLogSize]{};
    std::uint32_t logCount_ = 0;  // entries ever recorded since the last clear
};

}  // namespace standin
