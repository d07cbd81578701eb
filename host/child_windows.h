#pragma once
// Making and placing the plain child controls of the host's windows.

#include <windows.h>

// A visible child control with the system's dialog font; null when it cannot be made.
HWND MakeChild(HWND parent, DWORD exStyle, const char* windowClass, const char* text, DWORD style,
               int x, int y, int width, int height, int id);

// Puts `child` at `top` with `margin` on the left, right and bottom of a client area of the
// given size; does nothing for a null child.
void FillBelow(HWND child, int top, int margin, int clientWidth, int clientHeight);
