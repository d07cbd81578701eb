#pragma once
// A real list box in a real top-level window, driven as a user would: mouse messages at the
// coordinates of a cell, keys, and the editor windows found among the box's children.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "quarn_test_support.h"
#include "support/message_pump.h"

namespace quarn_win32_test {

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
  quarn_test::EventLog& Log() { return m_log; }
  void ForgetEvents();

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

 private:
  quarn_test::BoxPtr m_box;
  HWND m_hwnd = nullptr;
  int m_header = 0;
  quarn_test::EventLog m_log;
};

// The text of a window, as code page 932 bytes.
std::string WindowText(HWND hwnd);

}  // namespace quarn_win32_test
