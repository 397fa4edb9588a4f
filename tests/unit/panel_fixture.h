// The applet's seams for tests: the shared fakes plus recording double-click time, program start,
// module and a scripted panel dialog runner.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "driver/parameters.h"
#include "panel/applet_seams.h"
#include "panel/panel_dialog.h"
#include "panel/settings_store.h"
#include "panel/touch_applet.h"
#include "platform/types.h"
#include "tests/fakes/fake_device.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_ui.h"

namespace paneltest {

inline constexpr std::uintptr_t kAppletIcon = 0x4001AB;
inline constexpr platform::WindowId kControlPanel = 0x5150;  // the window the Control Panel hands the applet
inline constexpr std::uint32_t kErrorBox = platform::kMbIconError | platform::kMbOk;

struct RecordingDoubleClickTime : panel::DoubleClickTime {
    std::vector<std::uint32_t> sets;
    void set(std::uint32_t milliseconds) override { sets.push_back(milliseconds); }
};

struct RecordingPrograms : panel::Programs {
    struct Start {
        std::u16string program;
        std::u16string commandLine;
        int showState;
    };
    struct ShellStart {
        platform::WindowId owner;
        std::u16string verb, file, parameters;
        int showState;
        friend bool operator==(const ShellStart&, const ShellStart&) = default;
    };
    std::vector<Start> started;  // every attempt, also those that fail
    std::vector<ShellStart> shellStarted;
    panel::StartResult starts = panel::StartResult::Started;
    panel::StartResult shellStarts = panel::StartResult::Started;
    panel::StartResult start(const char16_t* program, const char16_t* commandLine, int showState) override {
        started.push_back({program, commandLine, showState});
        return starts;
    }
    panel::StartResult shellExecute(platform::WindowId owner, const char16_t* verb, const char16_t* file,
                                    const char16_t* parameters, int showState) override {
        shellStarted.push_back({owner, verb, file, parameters ? parameters : u"(none)", showState});
        return shellStarts;
    }
    const char16_t* systemFolder() override { return u"C:\\Windows\\SysWOW64"; }
};

struct FakeToken : panel::ProcessToken {
    panel::TokenElevation type = panel::TokenElevation::Default;
    panel::TokenElevation elevation() override { return type; }
};

struct FakeModule : panel::Module {
    std::vector<int> iconLoads;
    std::uintptr_t loadIcon(int resourceId) override {
        iconLoads.push_back(resourceId);
        return resourceId == 4001 ? kAppletIcon : 0x100 + static_cast<std::uintptr_t>(resourceId);
    }
    const char* applicationName() override { return "lintara"; }
    std::u16string modulePath = u"C:\\Windows\\SysWOW64\\lintara.cpl";
    const char16_t* path() override { return modulePath.c_str(); }
};

struct NoSerialPorts : panel::SerialPorts {
    bool probe(const char*) override { return false; }
};

// Stands in for the modal dialog: runs a script against the dialog while it is "shown" and answers
// with the given result.
struct ScriptedRunner : panel::PanelDialogRunner {
    int result = 1;
    std::function<void(platform::WindowId, panel::CPanelDlg&)> whileShown;
    int runs = 0;
    int run(platform::WindowId parent, panel::CPanelDlg& dialog) override {
        ++runs;
        if (whileShown) whileShown(parent, dialog);
        return result;
    }
};

struct PanelFixture {
    fakes::FakeRegistry registry;
    fakes::FakeDevices devices{registry};
    fakes::FakeUserMessages messages;
    NoSerialPorts ports;
    RecordingDoubleClickTime doubleClickTime;
    RecordingPrograms programs;
    FakeModule module;
    ScriptedRunner runner;
    FakeToken token;

    panel::AppletSeams seams() {
        return {.registry = registry,
                .devices = devices,
                .messageBoxes = messages,
                .serialPorts = ports,
                .doubleClickTime = doubleClickTime,
                .programs = programs,
                .module = module,
                .dialogRunner = runner,
                .token = token};
    }

    fakes::FakeRegistry::Key& parameters() {
        return registry.addKey(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath);
    }
    // The applet's key opens, without those of the stand-in driver reading its Parameters (KEY_READ).
    std::vector<fakes::FakeRegistry::Open> appletOpens() const {
        std::vector<fakes::FakeRegistry::Open> result;
        for (const auto& open : registry.opens())
            if (open.access != platform::kKeyRead) result.push_back(open);
        return result;
    }
    fakes::FakeRegistry::Key& mouse() { return registry.addKey(platform::RootKey::CurrentUser, panel::kMouseKeyPath); }
};

// The module-wide text buffers as they are when the module has just been loaded.
inline void FreshModuleBuffers() {
    std::memcpy(panel::DoubleClickSpeedText, "     ", sizeof panel::DoubleClickSpeedText);
    std::memcpy(panel::DoubleClickHeightText, "    ", sizeof panel::DoubleClickHeightText);
}

}  // namespace paneltest
