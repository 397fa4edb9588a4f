// What the user is told in a message box.
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

}  // namespace platform
