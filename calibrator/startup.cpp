#include "calibrator/startup.h"

#include <cstring>

#include "calibrator/controller_loops.h"
#include "calibrator/texts.h"
#include "driver/driver_check.h"
#include "driver/parameters.h"
#include "driver/tavrex_device.h"

namespace calibrator {

namespace {

using platform::RootKey;

void CopyBounded(char (&buffer)[kPromptBufferSize], const char* source) {
    std::size_t length = source ? std::strlen(source) : 0;
    if (length >= kPromptBufferSize) length = kPromptBufferSize - 1;
    if (length) std::memcpy(buffer, source, length);
    buffer[length] = '\0';
}

bool KeyOpens(Calibrator& app, const char* path, std::uint32_t access) {
    return app.platform.registry.open(RootKey::LocalMachine, path, access) != nullptr;
}

void Notice(Calibrator& app, const char* text) {
    app.platform.messageBoxes.show(0, text, text::kNotice, platform::kMbOk);
}

void Error(Calibrator& app, const char* text) {
    app.platform.messageBoxes.show(0, text, text::kError, platform::kMbOk | platform::kMbIconError);
}

// Steps 2 to 4: a loaded driver that is current. The device, once open, is kept whatever follows.
bool OpenCurrentDriver(Calibrator& app) {
    tavrex::DriverCheck check = tavrex::CheckDriver(app.platform.devices, app.platform.registry,
                                                    platform::kFileShareRead | platform::kFileShareWrite);
    app.device = std::move(check.device);
    switch (check.state) {
        case tavrex::DriverState::Ready: return true;
        case tavrex::DriverState::NotLoaded: Notice(app, text::kRestartAfterInstall); break;
        case tavrex::DriverState::NotInstalled:
            ShowPrompt(app, text::kNotInstalledCannotCalibrate, text::kPromptNotice);
            break;
        case tavrex::DriverState::NoAnswer: ShowPrompt(app, text::kNotInstalled, text::kPromptNotice); break;
        case tavrex::DriverState::Updated: Notice(app, text::kRestartAfterUpdate); break;
    }
    return false;
}

// Steps 5 and 6: the rights to write the driver's keys.
bool HasAdministratorRights(Calibrator& app) {
    if (!KeyOpens(app, tavrex::kServiceKeyPath, platform::kKeySetValue)) {
        Error(app, text::kNoAdministrator);
        return false;
    }
    if (!KeyOpens(app, tavrex::kParametersKeyPath, platform::kKeySetValue)) {
        Error(app, text::kNotInstalledCannotCalibrate);
        return false;
    }
    return true;
}

}  // namespace

int ShowPrompt(Calibrator& app, const char* text, const char* caption) {
    CopyBounded(app.promptText, text);
    CopyBounded(app.promptCaption, caption);
    return app.platform.prompt.run(app.mainWindow, app.promptText, app.promptCaption);
}

int InitInstance(Calibrator& app, int showCommand) {
    const platform::WindowId running = app.platform.windowFinder.find(text::kClassName, text::kWindowTitle);
    if (running) {
        app.platform.windowFinder.bringToFront(running);
        return 0;
    }
    if (!OpenCurrentDriver(app)) return 0;
    if (!HasAdministratorRights(app)) return 0;

    if (!tavrex::GetScreenPosition(*app.device, app.screenPosition)) {
        ShowPrompt(app, text::kWrongDriverVersion, text::kPromptNotice);
        return 0;
    }
    app.layout = SelectCalibrationArea(app.screenPosition, RecordMonitors(app.platform.monitors));

    app.mainWindow = app.platform.windows.createCalibrationWindow(app.layout.area);
    if (!app.mainWindow) return 0;

    GreetController(app);
    app.platform.screen.prepare(app.mainWindow, app.layout);

    app.startEvent = app.platform.threads.createAutoResetEvent();
    if (!app.startEvent) return 0;

    app.firstPaint = 1;
    app.platform.windows.showWindow(app.mainWindow, showCommand);
    return 1;
}

}  // namespace calibrator
