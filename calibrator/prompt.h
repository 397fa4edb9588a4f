// The calibrator's prompt dialog: its one modal question and message.
#pragma once

#include "platform/types.h"

namespace calibrator {

// Runs the modal prompt dialog over the given texts: 1 for OK, 2 for Cancel or the close box,
// -1 when the dialog cannot be created.
class PromptDialog {
public:
    virtual ~PromptDialog() = default;
    virtual int run(platform::WindowId owner, const char* text, const char* caption) = 0;
};

}  // namespace calibrator
