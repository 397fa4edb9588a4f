#include "calibrator/controller_loops.h"

#include <array>

#include "driver/tavrex_device.h"

namespace calibrator {

namespace {

enum class Reply { Failed, NotAcknowledged, Acknowledged };

// Sends "ET3" or "ET0" into the reply buffer that keeps its contents between commands.
Reply SendModeCommand(Calibrator& app, const tavrex::ControllerCommand& command) {
    if (!tavrex::SendControllerCommand(*app.device, command, app.ackReply)) return Reply::Failed;
    return app.ackReply[1] == tavrex::kAckByte ? Reply::Acknowledged : Reply::NotAcknowledged;
}

// Waits of one command loop: after a failing request, after a reply without the acknowledgement.
// Each is up to two waits in a row; 0 stands for none.
struct LoopWaits {
    std::array<std::uint32_t, 2> afterFailure;
    std::array<std::uint32_t, 2> afterNoAck;
};

// Up to `attempts` tries of an "ET0"; true once acknowledged.
bool LeaveCalibrationMode(Calibrator& app, int attempts, LoopWaits waits) {
    const tavrex::ControllerCommand et0 = tavrex::MakeEt0Command();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const Reply reply = SendModeCommand(app, et0);
        if (reply == Reply::Acknowledged) return true;
        for (std::uint32_t wait : reply == Reply::Failed ? waits.afterFailure : waits.afterNoAck)
            if (wait) app.platform.clock.sleep(wait);
    }
    return false;
}

bool LinearityReadBack(Calibrator& app) {
    std::uint8_t reply[tavrex::kGpReplyLength] = {};
    std::uint32_t returned = 0;
    return tavrex::SendControllerCommand(*app.device, tavrex::MakeGpCommand(), reply, &returned) &&
           returned == tavrex::kGpReplyLength && tavrex::ParseGpReply(reply) == app.linearity;
}

}  // namespace

void GreetController(Calibrator& app) {
    auto& clock = app.platform.clock;
    const tavrex::ControllerCommand et3 = tavrex::MakeEt3Command();
    app.controllerMode = 1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        switch (SendModeCommand(app, et3)) {
            case Reply::Failed:
                clock.sleep(2000);
                clock.sleep(50);
                app.controllerMode = 0;
                break;
            case Reply::NotAcknowledged:
                clock.sleep(50);
                app.controllerMode = 0;
                break;
            case Reply::Acknowledged: {
                app.controllerMode = 1;
                clock.sleep(50);
                std::uint8_t gpReply[tavrex::kGpReplyLength] = {};
                if (!tavrex::SendControllerCommand(*app.device, tavrex::MakeGpCommand(), gpReply)) clock.sleep(250);
                return;
            }
        }
    }
}

void LoadLinearityAndLeaveCalibrationMode(Calibrator& app) {
    auto& clock = app.platform.clock;
    clock.sleep(100);
    const tavrex::ControllerCommand sp = tavrex::MakeSpCommand(app.linearity);
    for (int attempt = 0; attempt < 7; ++attempt) {
        tavrex::SendControllerCommand(*app.device, sp, nullptr);
        clock.sleep(50);
        if (LinearityReadBack(app)) break;
    }
    clock.sleep(20);
    app.ackReply[1] = 0x1F;
    LeaveCalibrationMode(app, 5, {{50, 0}, {0, 0}});
}

void ReenterCalibrationMode(Calibrator& app) {
    const tavrex::ControllerCommand et3 = tavrex::MakeEt3Command();
    app.controllerMode = 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Reply reply = SendModeCommand(app, et3);
        if (reply == Reply::Acknowledged) {
            app.controllerMode = 1;
            return;
        }
        if (reply == Reply::Failed) app.platform.clock.sleep(50);
        app.controllerMode = 0;
    }
}

void LeaveCalibrationModeOnEscape(Calibrator& app) { LeaveCalibrationMode(app, 3, {{50, 50}, {50, 0}}); }

void LeaveCalibrationModeOnEnd(Calibrator& app) { LeaveCalibrationMode(app, 5, {{0, 0}, {50, 0}}); }

}  // namespace calibrator
