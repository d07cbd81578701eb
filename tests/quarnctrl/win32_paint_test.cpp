// What the real window draws, read back from a memory bitmap it paints itself into.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/fw_gdi_scope.h"
#include "win32_box_fixture.h"

namespace quarn_win32_test {
namespace {

// A 32-bit bitmap as large as the box's client area, painted through WM_PRINTCLIENT.
class Canvas {
 public:
  explicit Canvas(HWND box)
      : m_width(ClientSize(box).x),
        m_height(ClientSize(box).y),
        m_bitmap(TopDownBitmap(m_dc.Get(), m_width, m_height, &m_bits)) {
    fw::Selection selected(m_dc.Get(), m_bitmap.Get());
    SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.Get()), PRF_CLIENT);
    GdiFlush();
  }

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
  static POINT ClientSize(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return POINT{client.right, client.bottom};
  }
  static HBITMAP TopDownBitmap(HDC dc, int width, int height, DWORD** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
  }
  int m_width;
  int m_height;
  DWORD* m_bits = nullptr;
  fw::MemoryDc m_dc{nullptr};
  fw::GdiObject<HBITMAP> m_bitmap;
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

// A square bitmap of one colour, for the caller to own.
HBITMAP SolidBitmap(int size, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  fw::MemoryDc dc(nullptr);
  fw::Selection selected(dc.Get(), bitmap);
  SetBkColor(dc.Get(), colour);
  RECT all{0, 0, size, size};
  ExtTextOutA(dc.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  return bitmap;
}

TEST(QuarnWindowPaint, TenThousandRowsPaintAtTheTopAndTheBottom) {
  Boxes f;
  fw::GdiObject<HBITMAP> image(SolidBitmap(16, RGB(0, 200, 0)));
  std::string huge(20000, 'w');
  f.names.Box()->ResetContent();
  f.items.Box()->ResetContent();
  for (int i = 0; i < 10000; ++i) {
    const char* text = i == 9999 ? huge.c_str() : "row";
    f.names.Names()->AddItem(image.Get(), text, 0);
    f.items.Items()->AddItem(i % 2, text, static_cast<DWORD>(i));
  }
  for (TestBox* box : {&f.names, &f.items}) {
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
  Boxes f;
  TestBox& names = f.names;
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
  SetFocus(f.host.Hwnd());
  Canvas canvas(names.Hwnd());
  COLORREF quiet = canvas.Pixel(canvas.Width() - 4, kRowHeight + kRowHeight / 2);
  EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), quiet);
  EXPECT_NE(GetSysColor(COLOR_WINDOW), quiet);
}

// A tick or a new colour repaints its row alone (a whole repaint of the box costs a save
// started right after it milliseconds), and the window then looks as a whole repaint draws it.
TEST(QuarnWindowPaint, AChangedRowAloneIsRepaintedAndLooksAsAWholePaintDrawsIt) {
  Boxes f;
  TestBox& items = f.items;
  items.SelectAndFocus(1);
  UpdateWindow(items.Hwnd());
  items.Key(VK_SPACE);  // row 1 ticked by the user
  items.Box()->SetItemColor(3, RGB(255, 0, 0));
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(items.Hwnd(), &update, FALSE));
  EXPECT_EQ(update.top, RowBand(items, 1, 0, 0).top);
  EXPECT_EQ(update.bottom, RowBand(items, 3, 0, 0).bottom);
  UpdateWindow(items.Hwnd());

  const Canvas whole(items.Hwnd());
  HDC screen = GetDC(items.Hwnd());
  int differing = 0;
  for (int y = 0; y < RowBand(items, 5, 0, 0).bottom; ++y) {
    for (int x = 0; x < whole.Width(); ++x)
      differing += GetPixel(screen, x, y) != whole.Pixel(x, y);
  }
  ReleaseDC(items.Hwnd(), screen);
  EXPECT_EQ(differing, 0);
  EXPECT_GT(whole.Count(RowBand(items, 3, 0, whole.Width()), Reddish), 0);
}

TEST(QuarnWindowPaint, BitmapsFitTheirRowsBeforeTheName) {
  Boxes f;
  TestBox& names = f.names;
  fw::GdiObject<HBITMAP> small(SolidBitmap(16, RGB(0, 200, 0)));
  fw::GdiObject<HBITMAP> large(SolidBitmap(32, RGB(0, 200, 0)));  // taller than a row
  names.Box()->ResetContent();
  names.Names()->AddItem(small.Get(), "small", 0);
  names.Names()->AddItem(nullptr, "none", 0);
  names.Names()->AddItem(large.Get(), "large", 0);
  names.Names()->AddItem(nullptr, "none", 0);
  Canvas canvas(names.Hwnd());
  EXPECT_EQ(16 * 16, canvas.Count(RowBand(names, 0, 0, 40), Greenish));
  EXPECT_EQ(0, canvas.Count(RowBand(names, 1, 0, canvas.Width()), Greenish));
  int scaled = canvas.Count(RowBand(names, 2, 0, 40), Greenish);  // drawn smaller
  EXPECT_GT(scaled, 16 * 16);
  EXPECT_LE(scaled, kRowHeight * kRowHeight);
  EXPECT_EQ(0, canvas.Count(RowBand(names, 3, 0, canvas.Width()), Greenish));
}

TEST(QuarnWindowPaint, ItemRowsShowTheCheckAndTheDateUnlessTheTextColumnFillsTheBox) {
  Boxes f;
  TestBox& items = f.items;
  items.Box()->ResetContent();
  PutRow(items.Box(), "open", -1, 0, kDay);
  PutRow(items.Box(), "done", -1, 1, kDay);
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
}  // namespace quarn_win32_test
