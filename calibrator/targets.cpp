#include "calibrator/targets.h"

namespace calibrator {

namespace {

// (a + 3b) / 4 truncating toward zero, without overflow for any grid.
std::int32_t QuarterWay(std::int32_t far, std::int32_t near) {
    return static_cast<std::int32_t>((std::int64_t{far} + 3 * std::int64_t{near}) / 4);
}

}  // namespace

std::optional<Point> TargetCentre(std::uint32_t code, const DisplayLayout& g) {
    switch (code) {
        case TARGET_TOP_LEFT: return Point{g.X1, g.Y1};
        case TARGET_BOTTOM_RIGHT: return Point{g.X3, g.Y3};
        case TARGET_INNER_NEAR: return Point{QuarterWay(g.X3, g.X1), QuarterWay(g.Y3, g.Y1)};
        case TARGET_INNER_FAR: return Point{QuarterWay(g.X1, g.X3), QuarterWay(g.Y1, g.Y3)};
        case TARGET_BOTTOM_LEFT: return Point{g.X1, g.Y3};
        case TARGET_TOP_RIGHT: return Point{g.X3, g.Y1};
        default: return std::nullopt;
    }
}

std::optional<Point> GlyphOrigin(std::uint32_t code, const DisplayLayout& layout) {
    auto centre = TargetCentre(code, layout);
    if (!centre) return std::nullopt;
    return Point{centre->x - kGlyphHalf, centre->y - kGlyphHalf};
}

}  // namespace calibrator
