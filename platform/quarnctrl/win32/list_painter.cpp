#include "quarnctrl/win32/list_painter.h"

#include <algorithm>
#include <cstdio>

#include "framework/fw_gdi_scope.h"

namespace quarn::win32 {

using fw::MemoryDc;
using fw::Selection;

namespace {

constexpr int kImageLeft = 2;  // margin left of a list-name bitmap
constexpr int kTextInset = 4;  // margin left of a cell's text
constexpr int kCheckSize = 13;
constexpr UINT kCellText = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

// Fills a rectangle with a colour without making a brush.
void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// `percent` of colour `a` mixed into colour `b`.
COLORREF Mix(COLORREF a, COLORREF b, int percent) {
  auto channel = [percent](int x, int y) { return (x * percent + y * (100 - percent)) / 100; };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

void DrawCellText(HDC dc, const char* text, int length, RECT cell, UINT align) {
  cell.left += kTextInset;
  cell.right -= 2;
  if (cell.right <= cell.left) return;
  DrawTextA(dc, text, length, &cell, kCellText | align);
}

void PaintHeader(HDC dc, const ListModel& model, const ListLayout& layout) {
  RECT strip{0, 0, layout.Width(), layout.HeaderHeight()};
  Fill(dc, strip, GetSysColor(COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  long right = 0;
  auto paintCell = [&](QuarnColumn column, UINT align) {
    RECT cell = layout.HeaderCell(column);
    if (cell.right <= cell.left) return;
    DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
    const std::string& label = model.ColumnLabel(column);
    DrawCellText(dc, label.data(), static_cast<int>(label.size()), cell, align);
    right = std::max(right, cell.right);
  };
  if (layout.Checked()) {
    paintCell(QUARN_COLUMN_CHECK, DT_CENTER);
    paintCell(QUARN_COLUMN_TEXT, DT_LEFT);
    paintCell(QUARN_COLUMN_DATE, DT_CENTER);
  } else {
    paintCell(QUARN_COLUMN_TEXT, DT_LEFT);
  }
  if (right < layout.Width()) {
    RECT rest{right, 0, layout.Width(), layout.HeaderHeight()};
    DrawEdge(dc, &rest, BDR_RAISEDINNER, BF_RECT);
  }
}

void PaintImage(HDC dc, HDC imageDc, HBITMAP image, const RECT& row) {
  int height = row.bottom - row.top;
  SIZE size = ImageDrawSize(image, height);
  if (size.cx == 0 || size.cy == 0) return;
  BITMAP info{};
  GetObjectA(image, sizeof(info), &info);
  Selection selected(imageDc, image);
  if (!selected.Ok()) return;
  int top = row.top + (height - size.cy) / 2;
  if (size.cx == info.bmWidth && size.cy == info.bmHeight) {
    BitBlt(dc, kImageLeft, top, size.cx, size.cy, imageDc, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, kImageLeft, top, size.cx, size.cy, imageDc, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
  }
}

void PaintCheck(HDC dc, const RECT& cell, int check) {
  int size = std::min<int>(kCheckSize, cell.bottom - cell.top - 2);
  if (size < 5 || cell.right - cell.left < size) return;
  RECT box;
  box.left = cell.left + (cell.right - cell.left - size) / 2;
  box.top = cell.top + (cell.bottom - cell.top - size) / 2;
  box.right = box.left + size;
  box.bottom = box.top + size;
  DrawFrameControl(dc, &box, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (check != 0 ? DFCS_CHECKED : 0));
}

void PaintRow(HDC dc, HDC imageDc, const ListModel& model, const ListLayout& layout, int index,
              const PaintState& state) {
  const Row& row = *model.RowAt(index);
  RECT rect = layout.RowRect(index);
  bool selected = index == model.Selection();
  COLORREF back = GetSysColor(COLOR_WINDOW);
  COLORREF text = row.colour;
  if (selected && state.focused) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (selected) {
    // Selected while the focus is elsewhere: a pale shade of the highlight.
    back = Mix(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW), 25);
  }
  Fill(dc, rect, back);
  SetTextColor(dc, text);
  const std::string_view rowText = model.Text(index);
  const int length = static_cast<int>(rowText.size());
  if (!model.IsChecked()) {
    PaintImage(dc, imageDc, row.image, rect);
    RECT name = rect;
    name.left = NameTextLeft(row.image, rect.bottom - rect.top) - kTextInset;
    DrawCellText(dc, rowText.data(), length, name, DT_LEFT);
    return;
  }
  PaintCheck(dc, layout.CellRect(index, QUARN_COLUMN_CHECK), row.check);
  DrawCellText(dc, rowText.data(), length, layout.CellRect(index, QUARN_COLUMN_TEXT), DT_LEFT);
  char date[16];
  FormatDate(row.data, date, sizeof(date));
  DrawCellText(dc, date, -1, layout.CellRect(index, QUARN_COLUMN_DATE), DT_CENTER);
}

void PaintLines(HDC dc, const ListLayout& layout, int first, int end) {
  if (end <= first) return;
  COLORREF line = Mix(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_WINDOW), 50);
  for (int index = first; index < end; ++index) {
    RECT rect = layout.RowRect(index);
    rect.top = rect.bottom - 1;
    Fill(dc, rect, line);
  }
  if (!layout.Checked()) return;
  long top = layout.RowRect(first).top;
  long bottom = layout.RowRect(end - 1).bottom;
  for (QuarnColumn column : ListLayout::kScreenOrder) {
    RECT cell = layout.CellRect(first, column);
    if (cell.right <= cell.left || cell.right >= layout.Width()) continue;
    RECT rule{cell.right - 1, top, cell.right, bottom};
    Fill(dc, rule, line);
  }
}

}  // namespace

SIZE ImageDrawSize(HBITMAP image, int rowHeight) {
  BITMAP info{};
  if (image == nullptr || GetObjectA(image, sizeof(info), &info) != sizeof(info) ||
      info.bmWidth <= 0 || info.bmHeight <= 0) {
    return SIZE{0, 0};
  }
  int room = std::max(1, rowHeight - 2);
  if (info.bmHeight <= room) return SIZE{info.bmWidth, info.bmHeight};
  return SIZE{std::max<long>(1, info.bmWidth * room / info.bmHeight), room};
}

int NameTextLeft(HBITMAP image, int rowHeight) {
  SIZE size = ImageDrawSize(image, rowHeight);
  return size.cx > 0 ? kImageLeft + size.cx + kTextInset : kTextInset;
}

void FormatDate(DWORD word, char* buffer, int size) {
  SYSTEMTIME date;
  CQuarnListBox::ConvertToSysTime(word, &date);
  if (date.wMonth == 0 || date.wDay == 0) {
    buffer[0] = '\0';
    return;
  }
  std::snprintf(buffer, static_cast<std::size_t>(size), "%04u/%02u/%02u",
                static_cast<unsigned>(date.wYear), static_cast<unsigned>(date.wMonth),
                static_cast<unsigned>(date.wDay));
}

void PaintList(HDC dc, const ListModel& model, const ListLayout& layout, const PaintState& state) {
  const RECT& area = state.area;
  Fill(dc, area, GetSysColor(COLOR_WINDOW));
  Selection font(dc, state.font);
  SetBkMode(dc, TRANSPARENT);
  if (layout.HeaderHeight() > area.top) PaintHeader(dc, model, layout);

  MemoryDc imageDc(dc);
  // The rows the area touches.
  int first = layout.TopRow();
  int end = layout.EndRow();
  while (first < end && layout.RowRect(first).bottom <= area.top) ++first;
  while (end > first && layout.RowRect(end - 1).top >= area.bottom) --end;
  for (int index = first; index < end; ++index) {
    PaintRow(dc, imageDc.Get(), model, layout, index, state);
  }
  if (model.ItemLine()) PaintLines(dc, layout, first, end);

  int selected = model.Selection();
  if (state.focused && selected >= first && selected < end) {
    RECT rect = layout.RowRect(selected);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &rect);
  }
}

}  // namespace quarn::win32
