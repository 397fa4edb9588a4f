// Where the panel dialog moves to over the touch screen, by the driver's screen position code, and
// how large it is there.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/types.h"
#include "ui/inplace_vector.h"

namespace panel {

inline constexpr std::int32_t kPlacedWidth = 440;
inline constexpr std::int32_t kPlacedHeight = 380;

struct Placement {
    std::int32_t left;
    std::int32_t top;
    friend bool operator==(const Placement&, const Placement&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// width, height: the desktop window's client area. Nothing for codes that leave the dialog where
// the platform put it.
std::optional<Placement> DialogPlacement(std::uint32_t code, std::int32_t width, std::int32_t height);

// The moved panel as the dialog measures it while it initialises.
struct PanelMeasures {
    Size window;  // its window as the template made it, in the font at the display's setting
    Size client;  // that window's client area
    // In client coordinates, what a user must see whole: OK, Cancel and the sheet's tabs.
    ui::InplaceVector<platform::Rect, 3> controls;
    platform::Rect desktop;  // the virtual desktop, every display
};

struct PanelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

// The moved panel's window: 440 by 380 wherever that shows every control whole, otherwise, with
// large fonts, the template's own size (never less than 440 by 380). At the placement, shifted left
// and up just enough to end inside the desktop, but never past its left or top edge.
PanelRect MovedPanelRect(const Placement& place, const PanelMeasures& measures);

}  // namespace panel
