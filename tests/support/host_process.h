#pragma once
// Lumaplex.exe as a process of its own with its tool window open, driven from the test as a
// user drives it: text set into the text box, buttons and rows clicked, keys pressed, the item
// box read as a screen reader reads it (the calling thread must be in a COM apartment), its
// message boxes found; then closed as a user closes it, or killed.

#include <windows.h>

#include <functional>
#include <string>

namespace todo_test {

class HostProcess {
 public:
  // Starts Lumaplex.exe (beside the test program) with the data folder and the tool window
  // open, on the desktop named `desktop` (empty: this process's).
  HostProcess(const std::string& dataFolder, const std::string& desktop);
  // Kills the process if it still runs.
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  // Waits until the tool window is shown; false when it did not come in time.
  bool WaitForTool();
  HWND Tool() const { return m_tool; }

  // WM_SETTEXT to the text box.
  void Type(const char* text) const;
  // A click on the button with that control id, handled when this returns. Only for commands
  // that open no message box.
  void Press(int id) const { ::SendMessageA(Control(id), BM_CLICK, 0, 0); }
  void SelectList(int row) const;
  void SelectItem(int row) const;
  // A key pressed in the item box, e.g. the space bar that ticks the selected item.
  void KeyInItemBox(WPARAM key) const { ::SendMessageA(m_itemBox, WM_KEYDOWN, key, 0); }
  // Whether the button with that control id is checked.
  bool Checked(int id) const {
    return ::SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  // The texts of the item box's rows as a screen reader reads them, each followed by ';'.
  std::wstring ItemTexts() const;
  // A message box of the tool in this process, or null.
  HWND ToolMessageBox() const;

  // Closes the host window as its close box does; the process ends when it has closed.
  void Close() const;
  // Waits until the process has ended; false when it did not end in time.
  bool WaitForEnd() const;
  // Ends the process at once, as a crash or the task manager does; true when it has ended.
  bool Kill();

 private:
  HWND Control(int id) const { return GetDlgItem(m_tool, id); }
  HWND TopWindow(const char* title) const;
  // The topmost window of the process for which wanted is true, or null.
  HWND FirstWindow(const std::function<bool(HWND)>& wanted) const;

  PROCESS_INFORMATION m_process = {};
  HWND m_tool = nullptr;
  HWND m_listBox = nullptr;
  HWND m_itemBox = nullptr;
};

}  // namespace todo_test
