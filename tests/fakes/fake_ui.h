// Recording stand-ins for what the user sees and the desktop around the program.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "calibrator/prompt.h"
#include "platform/desktop.h"
#include "platform/user_messages.h"

namespace fakes {

// One message box or prompt as the user saw it.
struct Shown {
    enum Kind { Box, Prompt } kind;
    platform::WindowId owner;
    std::string text;
    std::string caption;
    std::uint32_t flags;  // message boxes only
};

// Records message boxes and prompts; prompts answer from a queue (OK when it is empty).
class FakeUserMessages : public platform::MessageBoxes, public calibrator::PromptDialog {
public:
    std::vector<Shown> shown;
    std::deque<int> promptAnswers;

    int show(platform::WindowId owner, const char* text, const char* caption, std::uint32_t flags) override;
    int run(platform::WindowId owner, const char* text, const char* caption) override;
};

class FakeDesktop : public platform::WindowFinder, public platform::Monitors, public platform::Pointer {
public:
    platform::WindowId runningInstance = 0;
    std::vector<platform::WindowId> broughtToFront;
    std::vector<platform::MonitorInfo> monitors{{"\\\\.\\DISPLAY1", {0, 0, 1024, 768}, true}};
    std::vector<bool> pointerCalls;  // true = shown

    platform::WindowId find(const char* className, const char* title) override;
    void bringToFront(platform::WindowId window) override { broughtToFront.push_back(window); }
    void enumerate(platform::MonitorSink& sink) override {
        for (const platform::MonitorInfo& monitor : monitors)
            if (!sink.add(monitor)) return;
    }
    void show(bool visible) override { pointerCalls.push_back(visible); }

    std::vector<std::pair<std::string, std::string>> searches;
};

}  // namespace fakes
