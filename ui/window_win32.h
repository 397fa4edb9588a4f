// Small window operations the dialogs share: the common controls, styles, and moves that leave size,
// z-order and activation alone.
#pragma once

#include <windows.h>

namespace ui {

// Registers the trackbar and tab classes that page templates and the property sheet use.
bool initCommonControls();

// Adds window styles and extended styles to what the window has.
void addWindowStyles(HWND window, DWORD style, DWORD exStyle);

// Moves a window's top-left corner to x, y of its parent's client area (the screen for a top-level
// window), keeping its size and its place in the z-order, without activating it.
void moveWindowKeepingSize(HWND window, int x, int y);

// Moves and resizes a window without touching z-order or activation, and repaints it.
void moveWindow(HWND window, int x, int y, int width, int height);

// A child control's rectangle in its dialog's client coordinates; false if there is no such control.
bool controlRectInClient(HWND dialog, int id, RECT& rect);

}  // namespace ui
