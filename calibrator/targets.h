// Target codes, where each target sits in the calibration area, and the glyph's geometry.
#pragma once

#include <cstdint>
#include <optional>

#include "calibrator/display_selection.h"

namespace calibrator {

inline constexpr std::uint32_t TARGET_NONE = 0;
inline constexpr std::uint32_t TARGET_TOP_LEFT = 16;
inline constexpr std::uint32_t TARGET_BOTTOM_RIGHT = 32;
inline constexpr std::uint32_t TARGET_INNER_NEAR = 64;
inline constexpr std::uint32_t TARGET_INNER_FAR = 128;
inline constexpr std::uint32_t TARGET_BOTTOM_LEFT = 256;
inline constexpr std::uint32_t TARGET_TOP_RIGHT = 288;

inline constexpr int kGlyphBitmapSize = 64;  // the glyph image; only its top-left part is shown
inline constexpr int kGlyphShownSize = 54;
inline constexpr int kGlyphHalf = 27;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Client coordinates of the target's centre; none for TARGET_NONE and unknown codes.
std::optional<Point> TargetCentre(std::uint32_t code, const DisplayLayout& layout);

// Top-left corner of the 54 x 54 glyph block of a target.
std::optional<Point> GlyphOrigin(std::uint32_t code, const DisplayLayout& layout);

}  // namespace calibrator
