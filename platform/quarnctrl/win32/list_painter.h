#pragma once
// Drawing a box: the header row, the visible rows and the lines between them. Only the rows
// from the layout's top row to its end row are drawn, so the cost follows the window's height,
// never the number of rows; and of them only those in the part to be repainted (one row, after
// a tick).

#include <windows.h>

#include "quarnctrl/quarn_model.h"
#include "quarnctrl/win32/list_layout.h"

namespace quarn::win32 {

struct PaintState {
  HFONT font = nullptr;  // never null when painting
  bool focused = false;  // the box itself has the keyboard focus
  RECT area{};           // the part of the client area to draw: the rows it touches, whole
};

// Draws the part state.area of the client area of a box into `dc`: what lies outside it may be
// left as it was.
void PaintList(HDC dc, const ListModel& model, const ListLayout& layout, const PaintState& state);

// The size a row's bitmap is drawn at: its own size, scaled down to the row's height when it
// is taller. Zero for no bitmap or a handle that is not a bitmap.
SIZE ImageDrawSize(HBITMAP image, int rowHeight);

// The left edge of a list-name row's text: after the row's bitmap, if any.
int NameTextLeft(HBITMAP image, int rowHeight);

// A packed date as shown in the date column, "yyyy/mm/dd"; empty when the word holds no month
// or no day. `buffer` holds at least 16 bytes.
void FormatDate(DWORD word, char* buffer, int size);

}  // namespace quarn::win32
