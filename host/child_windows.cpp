#include "host/child_windows.h"

#include <algorithm>

#include "framework/fw_app.h"

HWND MakeChild(HWND parent, DWORD exStyle, const char* windowClass, const char* text, DWORD style,
               int x, int y, int width, int height, int id) {
  HWND child = CreateWindowExA(
      exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
  if (child) {
    // A stock font: never deleted.
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return child;
}

void FillBelow(HWND child, int top, int margin, int clientWidth, int clientHeight) {
  if (!child) return;
  ::MoveWindow(child, margin, top, std::max(0, clientWidth - 2 * margin),
               std::max(0, clientHeight - top - margin), TRUE);
}
