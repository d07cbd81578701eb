#pragma once
// A real list box in a real top-level window, driven as a user would: mouse messages at the
// coordinates of a cell, keys, and the editor windows found among the box's children.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "quarn_test_support.h"
#include "support/message_pump.h"

namespace quarn_win32_test {

using quarn_test::BoxPtr;
using quarn_test::EventLog;
using quarn_test::Events;
using quarn_test::kDay;
using quarn_test::PutRow;

constexpr int kRowHeight = 20;
constexpr int kCheckWidth = 36;
constexpr int kTextWidth = 200;
constexpr int kDateWidth = 90;
// Where the tests put the two boxes in the host window, side by side.
constexpr RECT kNamesRect{10, 10, 230, 230};
constexpr RECT kItemsRect{240, 10, 680, 230};

// A visible, focused top-level window for the boxes. Under Wine without a window manager,
// hiding an active window waits two seconds, so the tests share one window for the whole
// program unless one asks for its own, which is destroyed at the end.
class HostWindow {
 public:
  enum Kind { kShared, kOwn };
  explicit HostWindow(Kind kind = kShared);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND Hwnd() const { return m_hwnd; }

 private:
  HWND m_hwnd;
  bool m_own;
};

// A box made by the factory, with every event recorded in `log`.
class TestBox {
 public:
  // "ToDoList" or "ToDoItem" at `rect` in `parent`; the item box gets a header, lines and
  // the column widths above. Both are editable and have rows of height kRowHeight.
  TestBox(HWND parent, const char* name, RECT rect);

  CQuarnListBox* Box() const { return m_box.get(); }
  CQuarnImageListBox* Names() const { return static_cast<CQuarnImageListBox*>(m_box.get()); }
  CQuarnToDoListBox* Items() const { return static_cast<CQuarnToDoListBox*>(m_box.get()); }
  HWND Hwnd() const { return m_hwnd; }
  EventLog& Log() { return m_log; }
  void ForgetEvents();
  // Empties the box, then adds `count` rows "row 0", "row 1"... (every second item done, the
  // due dates a day apart).
  void Refill(int count);

  // The first row shown, as the scroll bar tells it.
  int TopRow() const;
  int HeaderHeight() const { return m_header; }
  // The centre of a cell, in the box's client pixels.
  POINT CellCentre(int row, QuarnColumn column = QUARN_COLUMN_TEXT) const;
  // A single press and release at a point, or at a cell.
  void PressAt(POINT point) const;
  void Click(int row, QuarnColumn column = QUARN_COLUMN_TEXT) const;
  // Two presses, the second one a double-click.
  void DoubleClick(int row, QuarnColumn column = QUARN_COLUMN_TEXT) const;
  void Key(WPARAM key) const;
  // Selects `row` by clicking it and leaves the box focused, then forgets the events.
  void SelectAndFocus(int row);

  // A visible child editor of the given class ("Edit", "SysDateTimePick32"), or null.
  HWND Editor(const char* className) const;
  // Waits past the double-click time for an editor to appear; null when none did.
  HWND WaitForEditor(const char* className) const;
  // Selects and focuses `row`, clicks its cell again and waits for the editor of the column.
  HWND OpenEditor(int row, QuarnColumn column = QUARN_COLUMN_TEXT);

 private:
  BoxPtr m_box;
  HWND m_hwnd = nullptr;
  int m_header = 0;
  EventLog m_log;
};

// Both boxes in the shared host window: names "家", "work", "shop", "本", "旅行" and the open
// items "牛乳を買う", "bread", "卵", "tea", "jam", each due kDay.
struct Boxes {
  Boxes();
  HostWindow host;
  TestBox names;
  TestBox items;
};

// The text of a window, as code page 932 bytes.
std::string WindowText(HWND hwnd);
// What the user does in an editor (or any window): the text replaced, a key pressed.
void TypeInto(HWND hwnd, const char* text);
void PressIn(HWND hwnd, WPARAM key);
// The date a date picker shows (zeros when none), and a date as the tests compare it:
// "2026/12/08".
SYSTEMTIME PickerDate(HWND picker);
std::string Ymd(const SYSTEMTIME& date);

}  // namespace quarn_win32_test
