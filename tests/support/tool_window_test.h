#pragma once
// The fixture of the tests that drive the real tool window as a host and a user would: the
// fake host with the real module, the window opened and its two boxes found, the user's typing,
// picking and clicking, the tool's message boxes found and answered as a user answers them,
// and the files of the list folder. A test fixture derived from it opens the window in its
// SetUp, after writing the files the window should find.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/tool_window.h"

namespace todo_test {

class ToolWindowTest : public testing::Test {
 protected:
  // Opens the window (again, after a close) and finds its two boxes.
  void Open();
  HWND Control(int id) const { return GetDlgItem(tool, id); }

  // --- What the user does ---

  void Type(const char* text);
  void PickDate(int year, int month, int day) {
    tool_window::SetPickerDate(Control(tool_window::kDatePicker), year, month, day);
  }
  void ListMode() { Press(tool_window::kListModeButton); }
  void ItemMode() { Press(tool_window::kItemModeButton); }
  // A click on a button whose command shows no message box: handled when this returns.
  void Press(int id);
  // A click on a row of either box.
  void SelectList(int row);
  void SelectItem(int row);
  // Brings the window to the front and waits until its text box has the focus.
  void Activate();
  // Moves the focus to `control` as the dialog manager does, and waits until it has moved.
  void Focus(HWND control);

  // --- The tool's message boxes ---

  // The tool's message box once it is shown; null when none comes.
  HWND WaitForBox(DWORD timeoutMs = 20000);
  // A click on a button whose command shows a message box; the box once it is shown.
  HWND PressAndWaitForBox(int id);
  // Waits for the tool's message box, checks that the tool counts itself busy while it is
  // open and idle after it, and answers it; returns its text, or "<no message box>".
  std::string Answer(int answer);
  std::string PressAndAnswer(int id, int answer);

  // --- The host ---

  // The host closes the window from its own thread, as its Close button does, and waits until
  // the window is gone.
  bool HostCloses();

  // --- The list folder ---

  // Makes the list folder with these files (name, bytes) before the window opens.
  void WriteListFolder(std::initializer_list<std::pair<std::string, std::string>> files);
  std::string Path(const std::string& fileName) const;
  std::string ListFile(const std::string& listName) const { return Path(listName + ".lst"); }
  std::string OrderFile() const { return Path("ListInfo.dat"); }
  // The bytes of a file of the list folder, or "<missing>".
  std::string File(const std::string& fileName) const;

  FakeHost host;
  HWND tool = nullptr;
  HWND listBox = nullptr;
  HWND itemBox = nullptr;
};

}  // namespace todo_test
