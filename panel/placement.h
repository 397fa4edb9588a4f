// Where the panel dialog moves to over the touch screen, by the driver's screen position code.
#pragma once

#include <cstdint>
#include <optional>

namespace panel {

inline constexpr std::int32_t kPlacedWidth = 440;
inline constexpr std::int32_t kPlacedHeight = 380;

struct Placement {
    std::int32_t left;
    std::int32_t top;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// width, height: the desktop window's client area. Nothing for codes that leave the dialog where
// the platform put it.
std::optional<Placement> DialogPlacement(std::uint32_t code, std::int32_t width, std::int32_t height);

}  // namespace panel
