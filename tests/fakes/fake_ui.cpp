#include "tests/fakes/fake_ui.h"

namespace fakes {

int FakeUserMessages::show(platform::WindowId owner, const char* text, const char* caption, std::uint32_t flags) {
    shown.push_back({Shown::Box, owner, text, caption, flags});
    return platform::kIdOk;
}

int FakeUserMessages::run(platform::WindowId owner, const char* text, const char* caption) {
    shown.push_back({Shown::Prompt, owner, text, caption, 0});
    if (promptAnswers.empty()) return platform::kIdOk;
    const int answer = promptAnswers.front();
    promptAnswers.pop_front();
    return answer;
}

platform::WindowId FakeDesktop::find(const char* className, const char* title) {
    searches.emplace_back(className, title);
    return runningInstance;
}

}  // namespace fakes
