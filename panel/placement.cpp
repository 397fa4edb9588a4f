#include "panel/placement.h"

#include "driver/screen_position.h"

namespace panel {

namespace {

// multiplier * value / divisor, truncating toward zero, without overflow for any 32-bit value.
std::int32_t Share(std::int32_t value, std::int64_t multiplier, std::int64_t divisor) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(value) * multiplier / divisor);
}

}  // namespace

std::optional<Placement> DialogPlacement(std::uint32_t code, std::int32_t width, std::int32_t height) {
    switch (code) {
        case tavrex::SCREEN_SPAN_LEFT: return Placement{Share(width, 1, 8), Share(height, 1, 4)};
        case tavrex::SCREEN_SPAN_RIGHT: return Placement{Share(width, 5, 8), Share(height, 1, 4)};
        case tavrex::SCREEN_SPAN_TOP: return Placement{Share(width, 1, 4), Share(height, 1, 8)};
        case tavrex::SCREEN_SPAN_BOTTOM: return Placement{Share(width, 1, 4), Share(height, 5, 8)};
        case tavrex::SCREEN_ON_SECONDARY: return Placement{Share(width, 5, 4), Share(height, 1, 4)};
        default: return std::nullopt;
    }
}

}  // namespace panel
