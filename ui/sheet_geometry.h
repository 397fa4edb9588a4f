// Where a buttonless child property sheet ends: around its tab control, with the tab's own margin on
// every side.
#pragma once

namespace ui {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

// The sheet's window size once the room of its hidden buttons is gone: its client area reaches the
// tab control's right and bottom edges plus the margin left of and above the tab, and the frame
// (window size minus client size) is kept. `tab` is in the sheet's client coordinates.
Size shrunkSheetSize(const Rect& tab, const Size& window, const Size& client);

}  // namespace ui
