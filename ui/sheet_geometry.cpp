#include "ui/sheet_geometry.h"

#include <algorithm>

namespace ui {

namespace {
// Window coordinates are far inside 32 bits; clamping keeps a corrupt rectangle from overflowing.
int sum(long long a, long long b, long long c) { return static_cast<int>(std::clamp(a + b + c, 0LL, 0x7FFFFFFFLL)); }
}  // namespace

Size shrunkSheetSize(const Rect& tab, const Size& window, const Size& client) {
    const long long frameWidth = static_cast<long long>(window.width) - client.width;
    const long long frameHeight = static_cast<long long>(window.height) - client.height;
    const long long marginX = std::max(tab.left, 0);
    const long long marginY = std::max(tab.top, 0);
    return {sum(tab.right, marginX, frameWidth), sum(tab.bottom, marginY, frameHeight)};
}

}  // namespace ui
