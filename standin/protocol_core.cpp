#include "standin/protocol_core.h"

#include "driver/parameters.h"
#include "driver/requests.h"

namespace standin {

namespace {

// Freestanding: no C library in the kernel shell.
void CopyBytes(void* to, const void* from, std::uint32_t count) {
    auto* d = static_cast<std::uint8_t*>(to);
    const auto* s = static_cast<const std::uint8_t*>(from);
    for (std::uint32_t i = 0; i < count; ++i) d[i] = s[i];
}

void ZeroBytes(void* to, std::uint32_t count) {
    auto* d = static_cast<std::uint8_t*>(to);
    for (std::uint32_t i = 0; i < count; ++i) d[i] = 0;
}

bool SameBytes(const std::uint8_t* a, const char* b, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i)
        if (a[i] != static_cast<std::uint8_t>(b[i])) return false;
    return true;
}

std::uint32_t ReadU32(const void* in) {
    std::uint32_t value = 0;
    CopyBytes(&value, in, 4);
    return value;
}

Status Answer(const void* data, std::uint32_t size, void* out, std::uint32_t outSize, std::uint32_t* returned) {
    if (!out || outSize < size) return Status::BufferTooSmall;
    CopyBytes(out, data, size);
    *returned = size;
    return Status::Ok;
}

}  // namespace

void ProtocolCore::init(const ParameterSource& source) {
    source_ = source;
    calibration_ = tavrex::kDefaultCalibration;
    ZeroBytes(&beep_, sizeof beep_);
    screenPosition_ = tavrex::SCREEN_SINGLE;
    port_ = 0;
    linearityX_ = linearityY_ = 3072;
    stateCurrent_ = versionCurrent_ = true;
    failingRequest_ = 0;
    controller_ = CONTROLLER_ANSWERING;
    controllerFailuresLeft_ = 0;
    controllerCalibrating_ = false;
    testBeeps_ = 0;
    touchHead_ = touchCount_ = 0;
    armed_ = captured_ = false;
    logCount_ = 0;
    reloadSettings();
}

void ProtocolCore::reloadSettings() {
    if (!source_.readDword) return;
    auto read = [this](const char* name, std::uint32_t& target) {
        std::uint32_t value = 0;
        if (source_.readDword(source_.context, name, &value)) target = value;
    };
    auto readSigned = [this](const char* name, std::int32_t& target) {
        std::uint32_t value = 0;
        if (source_.readDword(source_.context, name, &value)) target = static_cast<std::int32_t>(value);
    };
    tavrex::CalibrationRecord stored = tavrex::kDefaultCalibration;
    readSigned(tavrex::kValueXc, stored.Xc);
    readSigned(tavrex::kValueYc, stored.Yc);
    readSigned(tavrex::kValueXL, stored.XL);
    readSigned(tavrex::kValueYL, stored.YL);
    readSigned(tavrex::kValueRotate, stored.Rotate);
    readSigned(tavrex::kValueShp, stored.Shp);
    readSigned(tavrex::kValueShs, stored.Shs);
    readSigned(tavrex::kValueSvp, stored.Svp);
    readSigned(tavrex::kValueSvs, stored.Svs);
    calibration_ = stored;
    read(tavrex::kValueScreenPost, screenPosition_);
    read(tavrex::kValuePort, port_);
    read(tavrex::kValueBeepMode, beep_.mode);
    read(tavrex::kValueBeepFreq1, beep_.frequency);
    read(tavrex::kValueBeepTime1, beep_.duration);
}

bool ProtocolCore::queueTouch(std::int32_t x, std::int32_t y) {
    if (touchCount_ == kTouchQueueSize) return false;
    touches_[(touchHead_ + touchCount_) % kTouchQueueSize] = {x, y};
    ++touchCount_;
    return true;
}

const LogEntry* ProtocolCore::logEntry(std::uint32_t index) const {
    const std::uint32_t count = logCount();
    if (index >= count) return nullptr;
    return &log_[(logCount_ - count + index) % kLogSize];
}

void ProtocolCore::record(std::uint32_t code, const void* in, std::uint32_t inSize) {
    LogEntry& entry = log_[logCount_ % kLogSize];
    entry.code = code;
    entry.inputSize = in ? inSize : 0;
    ZeroBytes(entry.input, kLogInputMax);
    if (in) CopyBytes(entry.input, in, inSize < kLogInputMax ? inSize : kLogInputMax);
    ++logCount_;
}

Status ProtocolCore::handle(std::uint32_t code, const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                            std::uint32_t* returned) {
    std::uint32_t ignored = 0;
    if (!returned) returned = &ignored;
    *returned = 0;
    if (!in) inSize = 0;
    if (!out) outSize = 0;
    if (IsTestRequest(code)) return testRequest(code, in, inSize, out, outSize, returned);
    record(code, in, inSize);
    if (failingRequest_ != 0 && code == failingRequest_) return Status::DeviceNotReady;

    switch (code) {
        case tavrex::REQ_ARM_SAMPLE:
            armed_ = true;
            captured_ = false;
            return Status::Ok;
        case tavrex::REQ_READ_SAMPLE: {
            if (outSize < sizeof(tavrex::RawSample)) return Status::BufferTooSmall;
            if (!captured_ && armed_ && touchCount_ > 0) {
                capturedTouch_ = touches_[touchHead_];
                touchHead_ = (touchHead_ + 1) % kTouchQueueSize;
                --touchCount_;
                armed_ = false;
                captured_ = true;
            }
            if (!captured_) return Status::Ok;  // nothing since the arm: the caller's buffer stays as it was
            const tavrex::RawSample sample{tavrex::kSampleFresh, capturedTouch_.x, capturedTouch_.y};
            return Answer(&sample, sizeof sample, out, outSize, returned);
        }
        case tavrex::REQ_SET_CALIBRATION:
            if (inSize < sizeof(tavrex::CalibrationRecord)) return Status::InvalidRequest;
            CopyBytes(&calibration_, in, sizeof calibration_);
            return Status::Ok;
        case tavrex::REQ_RELOAD_SETTINGS: reloadSettings(); return Status::Ok;
        case tavrex::REQ_SET_BEEP:
            if (inSize < sizeof(tavrex::BeepRecord)) return Status::InvalidRequest;
            CopyBytes(&beep_, in, sizeof beep_);
            return Status::Ok;
        case tavrex::REQ_GET_BEEP: return Answer(&beep_, sizeof beep_, out, outSize, returned);
        case tavrex::REQ_TEST_BEEP: ++testBeeps_; return Status::Ok;
        case tavrex::REQ_CONTROLLER_COMMAND: return controllerCommand(in, inSize, out, outSize, returned);
        case tavrex::REQ_GET_SCREEN_POSITION:
            if (!versionCurrent_) return Status::InvalidRequest;
            return Answer(&screenPosition_, 4, out, outSize, returned);
        case tavrex::REQ_GET_PORT: return Answer(&port_, 4, out, outSize, returned);
        case tavrex::REQ_GET_DRIVER_STATE: {
            const std::uint32_t state = stateCurrent_ ? 1 : 0;
            return Answer(&state, 4, out, outSize, returned);
        }
        default: return Status::InvalidRequest;
    }
}

Status ProtocolCore::controllerCommand(const void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                       std::uint32_t* returned) {
    if (inSize < sizeof(tavrex::ControllerCommand)) return Status::InvalidRequest;
    tavrex::ControllerCommand command;
    CopyBytes(&command, in, sizeof command);
    if (command.key != tavrex::kControllerKey || command.sendLength > sizeof command.frame)
        return Status::InvalidRequest;
    if (command.replyLength > outSize) return Status::BufferTooSmall;
    if (controller_ == CONTROLLER_SILENT) return Status::DeviceNotReady;
    if (controllerFailuresLeft_ > 0) {
        --controllerFailuresLeft_;
        return Status::DeviceNotReady;
    }

    const std::uint8_t* frame = command.frame;
    const std::uint32_t length = command.sendLength;
    const bool framed = length >= 2 && frame[0] == 0x01 && frame[length - 1] == 0x0D;
    if (!framed) return Status::DeviceNotReady;

    if (length == 5 && (SameBytes(frame + 1, "ET3", 3) || SameBytes(frame + 1, "ET0", 3))) {
        if (command.replyLength < 3) return Status::BufferTooSmall;
        const bool ack = controller_ == CONTROLLER_ANSWERING;
        if (ack) controllerCalibrating_ = frame[3] == '3';
        const std::uint8_t reply[3] = {0x01, static_cast<std::uint8_t>(ack ? '0' : '1'), 0x0D};
        return Answer(reply, 3, out, outSize, returned);
    }
    if (length == 4 && SameBytes(frame + 1, "GP", 2)) {
        if (command.replyLength < 10) return Status::BufferTooSmall;
        const std::uint8_t xl = linearityX_ & 0xFF, xh = (linearityX_ >> 8) & 0xFF;
        const std::uint8_t yl = linearityY_ & 0xFF, yh = (linearityY_ >> 8) & 0xFF;
        const std::uint8_t reply[10] = {0x01, xl, xh, xl, xh, yl, yh, yl, yh, 0x0D};
        return Answer(reply, 10, out, outSize, returned);
    }
    if (length == 12 && SameBytes(frame + 1, "SP", 2)) {
        linearityX_ = frame[3] | (frame[4] << 8);
        linearityY_ = frame[7] | (frame[8] << 8);
        return Status::Ok;
    }
    return Status::DeviceNotReady;
}

Status ProtocolCore::testRequest(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                                 std::uint32_t outSize, std::uint32_t* returned) {
    switch (code) {
        case TEST_QUEUE_TOUCH:
            if (inSize < 8) return Status::InvalidRequest;
            return queueTouch(static_cast<std::int32_t>(ReadU32(in)),
                              static_cast<std::int32_t>(ReadU32(static_cast<const std::uint8_t*>(in) + 4)))
                       ? Status::Ok
                       : Status::BufferTooSmall;
        case TEST_SET_CONTROLLER: {
            if (inSize < 4) return Status::InvalidRequest;
            const std::uint32_t behaviour = ReadU32(in);
            if (behaviour > CONTROLLER_WRONG_ACK) return Status::InvalidRequest;
            controller_ = static_cast<ControllerBehaviour>(behaviour);
            return Status::Ok;
        }
        case TEST_SET_STATE:
            if (inSize < 4) return Status::InvalidRequest;
            stateCurrent_ = ReadU32(in) != 0;
            return Status::Ok;
        case TEST_SET_VERSION:
            if (inSize < 4) return Status::InvalidRequest;
            versionCurrent_ = ReadU32(in) != 0;
            return Status::Ok;
        case TEST_GET_CALIBRATION: return Answer(&calibration_, sizeof calibration_, out, outSize, returned);
        case TEST_GET_LINEARITY: {
            const std::uint32_t values[2] = {linearityX_, linearityY_};
            return Answer(values, sizeof values, out, outSize, returned);
        }
        case TEST_GET_LOG_COUNT: {
            const std::uint32_t count = logCount();
            return Answer(&count, 4, out, outSize, returned);
        }
        case TEST_GET_LOG_ENTRY: {
            if (inSize < 4) return Status::InvalidRequest;
            const LogEntry* entry = logEntry(ReadU32(in));
            if (!entry) return Status::InvalidRequest;
            return Answer(entry, sizeof *entry, out, outSize, returned);
        }
        case TEST_GET_SCREEN_POSITION: return Answer(&screenPosition_, 4, out, outSize, returned);
        case TEST_CLEAR_LOG: clearLog(); return Status::Ok;
        case TEST_FAIL_REQUEST:
            if (inSize < 4) return Status::InvalidRequest;
            failingRequest_ = ReadU32(in);
            return Status::Ok;
        default: return Status::InvalidRequest;
    }
}

}  // namespace standin
