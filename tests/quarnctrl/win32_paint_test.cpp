// What the real window draws, read back from a memory bitmap it paints itself into.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "win32_box_fixture.h"

namespace {

using quarn_win32_test::HostWindow;
using quarn_win32_test::kCheckWidth;
using quarn_win32_test::kRowHeight;
using quarn_win32_test::kTextWidth;
using quarn_win32_test::TestBox;

using quarn_win32_test::kItemsRect;
using quarn_win32_test::kNamesRect;

// A 32-bit bitmap as large as the box's client area, painted through WM_PRINTCLIENT.
class Canvas {
 public:
  explicit Canvas(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    m_width = client.right;
    m_height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                nullptr, 0);
    m_previous = SelectObject(m_dc, m_bitmap);
    SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT);
    GdiFlush();
  }
  ~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return m_width; }
  COLORREF Pixel(int x, int y) const {
    DWORD bgr = m_bits[y * m_width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }
  // How many pixels of a rectangle pass a test.
  int Count(RECT area, const std::function<bool(COLORREF)>& test) const {
    int found = 0;
    for (int y = area.top; y < area.bottom && y < m_height; ++y) {
      for (int x = area.left; x < area.right && x < m_width; ++x)
        found += test(Pixel(x, y)) ? 1 : 0;
    }
    return found;
  }

 private:
  int m_width = 0;
  int m_height = 0;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  DWORD* m_bits = nullptr;
};

bool Reddish(COLORREF c) {
  return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
}
bool Greenish(COLORREF c) {
  return GetGValue(c) > 150 && GetRValue(c) < 100 && GetBValue(c) < 100;
}
bool Dark(COLORREF c) {
  return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
}

RECT RowBand(const TestBox& box, int row, int left, int right) {
  long top = box.HeaderHeight() + (row - box.TopRow()) * kRowHeight;
  return RECT{left, top, right, top + kRowHeight};
}

// A bitmap of one colour, owned by the test.
class SolidBitmap {
 public:
  SolidBitmap(int size, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(dc, m_bitmap);
    SetBkColor(dc, colour);
    RECT all{0, 0, size, size};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  ~SolidBitmap() { DeleteObject(m_bitmap); }
  HBITMAP Get() const { return m_bitmap; }

 private:
  HBITMAP m_bitmap;
};

TEST(QuarnWindowPaint, TenThousandRowsPaintAtTheTopAndTheBottom) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  SolidBitmap image(16, RGB(0, 200, 0));
  std::string huge(20000, 'w');
  for (int i = 0; i < 10000; ++i) {
    const char* text = i == 9999 ? huge.c_str() : "row";
    names.Names()->AddItem(image.Get(), text, 0);
    items.Items()->AddItem(i % 2, text, static_cast<DWORD>(i));
  }
  for (TestBox* box : {&names, &items}) {
    UpdateWindow(box->Hwnd());
    box->Box()->SetCurSel(9999);
    box->Box()->RefreshCtrl();
    UpdateWindow(box->Hwnd());
    Canvas canvas(box->Hwnd());
    EXPECT_GT(box->TopRow(), 9000);
    EXPECT_GT(canvas.Count(RowBand(*box, 9998, 0, canvas.Width()), Dark), 0);
  }
  todo_test::PumpFor(50);
}

TEST(QuarnWindowPaint, SelectionIsHighlightedWhileFocusedAndRowsKeepTheirColours) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  for (const char* name : {"black", "selected", "red"}) names.Names()->AddItem(nullptr, name, 0);
  names.Box()->SetItemColor(2, RGB(255, 0, 0));
  names.Box()->SetCurSel(1);
  SetFocus(names.Hwnd());
  {
    Canvas canvas(names.Hwnd());
    int right = canvas.Width() - 4;
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), canvas.Pixel(right, kRowHeight + kRowHeight / 2));
    EXPECT_GT(canvas.Count(RowBand(names, 2, 0, canvas.Width()), Reddish), 0);
    EXPECT_EQ(0, canvas.Count(RowBand(names, 0, 0, canvas.Width()), Reddish));
    EXPECT_GT(canvas.Count(RowBand(names, 0, 0, canvas.Width()), Dark), 0);
  }
  SetFocus(host.Hwnd());
  {
    Canvas canvas(names.Hwnd());
    COLORREF quiet = canvas.Pixel(canvas.Width() - 4, kRowHeight + kRowHeight / 2);
    EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), quiet);
    EXPECT_NE(GetSysColor(COLOR_WINDOW), quiet);
  }
}

TEST(QuarnWindowPaint, BitmapsFitTheirRowsBeforeTheName) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  SolidBitmap small(16, RGB(0, 200, 0));
  SolidBitmap large(32, RGB(0, 200, 0));  // taller than a row: drawn smaller
  names.Names()->AddItem(small.Get(), "small", 0);
  names.Names()->AddItem(nullptr, "none", 0);
  names.Names()->AddItem(large.Get(), "large", 0);
  names.Names()->AddItem(nullptr, "none", 0);
  Canvas canvas(names.Hwnd());
  EXPECT_EQ(16 * 16, canvas.Count(RowBand(names, 0, 0, 40), Greenish));
  EXPECT_EQ(0, canvas.Count(RowBand(names, 1, 0, canvas.Width()), Greenish));
  int scaled = canvas.Count(RowBand(names, 2, 0, 40), Greenish);
  EXPECT_GT(scaled, 16 * 16);
  EXPECT_LE(scaled, kRowHeight * kRowHeight);
  EXPECT_EQ(0, canvas.Count(RowBand(names, 3, 0, canvas.Width()), Greenish));
}

TEST(QuarnWindowPaint, ItemRowsShowTheCheckAndTheDateUnlessTheTextColumnFillsTheBox) {
  HostWindow host;
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  items.Items()->AddItem(0, "open", 0x07EA0C08);
  items.Items()->AddItem(1, "done", 0x07EA0C08);
  items.Box()->SetColumnLabel(QUARN_COLUMN_TEXT, "Text");
  const int dateLeft = kCheckWidth + kTextWidth;
  {
    Canvas canvas(items.Hwnd());
    // The header row is drawn in the face colour, above the first row.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE),
              canvas.Pixel(kCheckWidth + 150, items.HeaderHeight() / 2));
    int openMark = canvas.Count(RowBand(items, 0, 0, kCheckWidth), Dark);
    int doneMark = canvas.Count(RowBand(items, 1, 0, kCheckWidth), Dark);
    EXPECT_GT(doneMark, openMark);
    EXPECT_GT(canvas.Count(RowBand(items, 0, dateLeft, dateLeft + 90), Dark), 10);
  }
  items.Box()->SetColumnWidth(QUARN_COLUMN_TEXT, 65535);
  UpdateWindow(items.Hwnd());
  Canvas canvas(items.Hwnd());
  EXPECT_EQ(0, canvas.Count(RowBand(items, 0, dateLeft, dateLeft + 90), Dark));
}

}  // namespace
