#include "calibrator/sequence.h"

#include "calibrator/controller_loops.h"
#include "calibrator/messages.h"
#include "calibrator/startup.h"
#include "calibrator/store.h"
#include "calibrator/targets.h"
#include "calibrator/texts.h"
#include "driver/tavrex_device.h"

namespace calibrator {

namespace {

void Post(Calibrator& app, std::uint32_t message, std::intptr_t lParam = 0) {
    app.platform.windows.postMessage(app.mainWindow, message, 0, lParam);
}

void OnPaint(Calibrator& app) {
    const bool first = app.firstPaint.exchange(0) != 0;
    app.platform.screen.paint(app.mainWindow, first ? TARGET_TOP_LEFT : TARGET_NONE);
    app.stopRequested = 0;
    if (!app.workerStarted.load()) {
        // One worker serves every pass; a failed start is tried again at the next paint.
        app.workerStarted = app.platform.threads.start(&CalibrationWorker, &app);
    }
}

void OnPassDone(Calibrator& app) {
    if (app.leaving) {
        // The worker posted this after its last stop check, before the stop landed: the user has left,
        // so no question; the trial is withdrawn (again, after ESC, which already did).
        tavrex::ReloadSettings(*app.device);
        return;
    }
    if (app.controllerMode) LoadLinearityAndLeaveCalibrationMode(app);
    app.platform.pointer.show(true);
    if (ShowPrompt(app, text::kConfirmQuestion, text::kPromptConfirm) == platform::kIdOk) {
        StoreCalibration(app, app.record);
        // The driver keeps the calibration it was given for this pass: nothing more is sent.
        Post(app, platform::kWmDestroy);
        return;
    }
    ReenterCalibrationMode(app);
    app.platform.pointer.show(false);
    tavrex::ReloadSettings(*app.device);  // withdraws the trial calibration
    Post(app, MSG_START_PASS);
}

void StopWorker(Calibrator& app) {
    app.leaving = true;
    app.stopRequested = 1;
    if (app.startEvent) app.startEvent->set();
}

void OnEscape(Calibrator& app) {
    StopWorker(app);
    if (app.controllerMode) LeaveCalibrationModeOnEscape(app);
    tavrex::ReloadSettings(*app.device);  // leave with the stored calibration
    app.platform.windows.postQuit(0);
}

void OnDestroy(Calibrator& app) {
    StopWorker(app);
    if (app.controllerMode) LeaveCalibrationModeOnEnd(app);
    app.platform.windows.postQuit(0);
}

}  // namespace

bool HandleCalibratorMessage(Calibrator& app, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
        case platform::kWmPaint: OnPaint(app); return true;
        case MSG_START_PASS: app.startEvent->set(); return true;
        case MSG_SHOW_TARGET:
            app.platform.screen.drawTarget(app.mainWindow, static_cast<std::uint32_t>(lParam));
            return true;
        case MSG_PASS_DONE: OnPassDone(app); return true;
        case platform::kWmKeyUp:
            if (wParam == platform::kVkEscape) OnEscape(app);
            return true;
        case platform::kWmDestroy: OnDestroy(app); return true;
        default: return false;
    }
}

void StartPasses(Calibrator& app) {
    app.platform.pointer.show(false);
    Post(app, MSG_START_PASS);
}

int WaitForRawSample(Calibrator& app, RawPoint& point) {
    tavrex::ArmSample(*app.device);
    tavrex::RawSample sample{tavrex::kSamplePreset, 0, 0};
    for (;;) {
        tavrex::ReadSample(*app.device, sample);
        app.platform.clock.sleep(50);
        const bool fresh = sample.marker == tavrex::kSampleFresh;
        if (fresh) point = {sample.x, sample.y};
        if (fresh || app.stopRequested) return fresh ? 1 : 0;
    }
}

void CalibrationWorker(void* argument) {
    Calibrator& app = *static_cast<Calibrator*>(argument);
    app.linearity = {};
    if (app.stopRequested) return;
    for (;;) {
        app.startEvent->wait();
        if (app.stopRequested) return;  // woken only to end
        app.record = {};
        const bool controller = app.controllerMode != 0;
        const auto& targets = controller ? kControllerSampleTargets : kCornerSampleTargets;
        RawPoint samples[4];
        for (int i = 0; i < 4; ++i) {
            Post(app, MSG_SHOW_TARGET, targets[i]);
            WaitForRawSample(app, samples[i]);
        }
        Post(app, MSG_SHOW_TARGET, TARGET_NONE);
        if (app.stopRequested) return;

        const CalibrationResult result =
            ComputeCalibration(controller ? SampleLayout::Controller : SampleLayout::Corner, samples, app.layout);
        app.record = result.record;
        if (result.linearity) app.linearity = *result.linearity;
        // From here on the driver maps touches with the new calibration.
        tavrex::SetCalibration(*app.device, app.record);
        if (app.stopRequested) {
            // ESC came while this pass was being applied, and its reload may have reached the driver
            // first: withdraw the trial here too, so the driver never keeps an unconfirmed calibration.
            tavrex::ReloadSettings(*app.device);
            return;
        }
        Post(app, MSG_PASS_DONE);
        if (app.stopRequested) return;
    }
}

}  // namespace calibrator
