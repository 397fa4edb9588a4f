#include "calibrator/controller_loops.h"

#include "driver/tavrex_device.h"

namespace calibrator {

namespace {

constexpr int kGreetingAttempts = 5;

bool Acknowledged(const Calibrator& app) { return app.ackReply[1] == tavrex::kAckByte; }

}  // namespace

void GreetController(Calibrator& app) {
    auto& clock = app.platform.clock;
    const tavrex::ControllerCommand et3 = tavrex::MakeEt3Command();
    app.controllerMode = 1;
    for (int attempt = 0; attempt < kGreetingAttempts; ++attempt) {
        if (!tavrex::SendControllerCommand(*app.device, et3, app.ackReply)) {
            clock.sleep(2000);
            clock.sleep(50);
            app.controllerMode = 0;
            continue;
        }
        if (!Acknowledged(app)) {
            clock.sleep(50);
            app.controllerMode = 0;
            continue;
        }
        app.controllerMode = 1;
        clock.sleep(50);
        std::uint8_t gpReply[tavrex::kGpReplyLength] = {};
        if (!tavrex::SendControllerCommand(*app.device, tavrex::MakeGpCommand(), gpReply)) clock.sleep(250);
        return;
    }
}

}  // namespace calibrator
