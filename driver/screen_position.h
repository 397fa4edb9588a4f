// Where the touch screen sits on the desktop: the code stored as "ScreenPost" and reported by
// REQ_GET_SCREEN_POSITION. Always compared as a whole number; any other value means single display.
#pragma once

#include <cstdint>

namespace tavrex {

inline constexpr std::uint32_t SCREEN_SINGLE = 16;
inline constexpr std::uint32_t SCREEN_SPAN_LEFT = 17;
inline constexpr std::uint32_t SCREEN_SPAN_RIGHT = 18;
inline constexpr std::uint32_t SCREEN_SPAN_TOP = 19;
inline constexpr std::uint32_t SCREEN_SPAN_BOTTOM = 20;
inline constexpr std::uint32_t SCREEN_ON_PRIMARY = 37;
inline constexpr std::uint32_t SCREEN_ON_SECONDARY = 38;

}  // namespace tavrex
