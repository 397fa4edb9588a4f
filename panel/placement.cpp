#include "panel/placement.h"

#include <algorithm>

#include "driver/screen_position.h"

namespace panel {

namespace {

// multiplier * value / divisor, truncating toward zero, without overflow for any 32-bit value.
std::int32_t Share(std::int32_t value, std::int64_t multiplier, std::int64_t divisor) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(value) * multiplier / divisor);
}

std::int32_t Clamp32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The start of a span of `length` moved back so that it ends by `end`, but not before `start`.
std::int64_t ShiftBack(std::int64_t at, std::int64_t length, std::int64_t start, std::int64_t end) {
    if (at + length <= end) return at;
    return std::min(at, std::max(end - length, start));
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

PanelRect MovedPanelRect(const Placement& place, const PanelMeasures& measures) {
    // Controls keep their place in the client area when the window changes size; only the frame's
    // share of the window stays the same.
    const std::int64_t clientWidth = std::int64_t{kPlacedWidth} - measures.window.width + measures.client.width;
    const std::int64_t clientHeight = std::int64_t{kPlacedHeight} - measures.window.height + measures.client.height;
    const bool allShown = std::all_of(measures.controls.begin(), measures.controls.end(), [&](const auto& rect) {
        return rect.left >= 0 && rect.top >= 0 && rect.right <= clientWidth && rect.bottom <= clientHeight;
    });
    const std::int32_t width = allShown ? kPlacedWidth : std::max(measures.window.width, kPlacedWidth);
    const std::int32_t height = allShown ? kPlacedHeight : std::max(measures.window.height, kPlacedHeight);
    // The placement assumes a second display or a desktop spanning two; on one display alone it would
    // leave OK and Cancel beyond the edge, where no touch reaches them.
    const platform::Rect& desktop = measures.desktop;
    return {Clamp32(ShiftBack(place.left, width, desktop.left, desktop.right)),
            Clamp32(ShiftBack(place.top, height, desktop.top, desktop.bottom)), width, height};
}

}  // namespace panel
