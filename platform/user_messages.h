// What the user is told: message boxes and the calibrator's prompt dialog.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns the pressed button's id (kIdOk, ...).
    virtual int show(WindowId owner, const char* text, const char* caption, std::uint32_t flags) = 0;
};

// Runs the modal prompt dialog over the given texts: 1 for OK, 2 for Cancel or the close box,
// -1 when the dialog cannot be created.
class PromptDialog {
public:
    virtual ~PromptDialog() = default;
    virtual int run(WindowId owner, const char* text, const char* caption) = 0;
};

}  // namespace platform
