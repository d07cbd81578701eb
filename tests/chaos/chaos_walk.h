// The fixture of the chaos walk: the fake host with the real tool, the model of the lists
// (support/list_model.h), the seeded random source, and the steps and checks the walk is made
// of, defined apart in the chaos_*.cpp files, one each for the walk itself, the user's steps,
// the in-place edits, the host's steps, another program's writes and what the window makes of
// them, a killed host, and the checks after every step.

#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "chaos/chaos_host.h"
#include "support/folder_lock.h"
#include "chaos/folder_tree.h"
#include "framework/fw_com.h"
#include "support/list_model.h"
#include "support/list_rules.h"
#include "support/scratch_folder.h"
#include "support/tool_window.h"

namespace chaos {

using todo_test::FolderLock;
using todo_test::kLockFileName;

using namespace todo_test::lists;
using todo_test::rules::Folded;

// The most lists and items the walk makes, kept within the rows the boxes show whole without
// scrolling (20 list names, 27 items), so that a row is where it was drawn.
inline constexpr int kMostLists = 20;
inline constexpr int kMostItems = 24;

inline constexpr Date kDates[] = {{2026, 12, 7}, {2026, 12, 8}, {2027, 1, 1}, {2025, 3, 31}};

// Item texts and list names the user types; the walk makes fresh names and other letter cases.
// The last name hides its separator from the list-name check behind 0x80.
inline const std::vector<std::string> kItemTexts = {
    "milk",   "牛乳を買う", "電話する", "call, then mail", "NO_DATE",     "  spaced  ", "ソ表",
    "a\r\nb", "tab\there",  "",         "back\\slash",     "milk と 電話"};
inline const std::vector<std::string> kTypedNames = {
    "仕事",   "買い物",  "旅行 2027", "dot.name",  "two\r\nlines", "ソ表2",
    "Work",   "HOME",    "ghost",     "Ghost",     "orphan",       "ORPHAN",
    "",       "a|b",     "con",       "COM3",      "nul.txt",      "Lpt9",
    "../fwd", "..\\up1", "sub/y",     "tab\there", "back\\slash",  "ab\x80\\new"};

inline std::string DateText(const Date& date) {
  return std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
         std::to_string(date.day);
}

// A message box the last step should have opened.
struct ExpectedBox {
  std::string text;
  bool yesNo = false;
  std::function<void()> onYes;
};

// An in-place editor the last step should have opened.
struct OpenEditor {
  bool names;  // over the list-name box, else over the item box
  bool date;   // the date picker of an item's due date
  int row;
  std::string text;  // what a commit would store, before the edit's own clean-up
  Date due = kDates[0];
};

class HostChaos : public testing::Test, protected todo_test::lists::RandomSteps {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `steps` steps from `seed`, then closes the window and checks the files once more.
  void Walk(unsigned seed, int steps);

 private:
  // --- the tool window and its controls ---
  HWND Tool() const { return m_host->ToolWindow(); }
  HWND Control(int id) const { return GetDlgItem(Tool(), id); }
  HWND Box(bool names) const { return names ? m_listBox : m_itemBox; }
  int RowCount(bool names) const {
    return static_cast<int>(names ? m_model.rows.size() : m_model.shown.size());
  }
  // The middle of a row of either box (the row count: just below the rows), in client pixels.
  static int RowY(bool names, int row) { return todo_test::tool_window::RowMiddle(names, row); }
  static constexpr int kNameX = 60;
  bool FocusIn(HWND box) const {
    HWND focus = todo_test::tool_window::FocusOfThread(Tool());
    return focus && (focus == box || IsChild(box, focus));
  }
  // Waits until the tool thread has handled what was posted to it.
  void Settle() { m_barrier.Pass(Tool()); }
  void Press(int id) {
    ::PostMessageA(Control(id), BM_CLICK, 0, 0);
    Settle();
  }
  void ClickAt(HWND box, int x, int y) {
    ::PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
  }
  void Key(HWND window, UINT key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    Settle();
  }
  static void SetPickerDate(HWND picker, const Date& date) {
    todo_test::tool_window::SetPickerDate(picker, date.year, date.month, date.day);
  }

  // --- keeping the model in step ---
  // The files directly in the list folder by their folded names, but for the folder's lock.
  FileTree ListFolderFiles() const;
  // A file of the list folder by its folded name, read under the folder's lock, or "<missing>".
  std::string FileNow(const std::string& foldedName) const;
  void ModelOpened();
  void ModelClosed();
  // The message box the step opens, if `text` is one.
  void Expect(const char* text, bool yesNo = false, std::function<void()> onYes = nullptr) {
    if (text == nullptr) return;
    Note(std::string("  expects the message \"") + text + "\"");
    m_box = ExpectedBox{text, yesNo, std::move(onYes)};
  }

  // --- steps ---
  void Step();
  void Note(const std::string& what);
  void TypeText();
  void PickDate();
  void ClickModeButton(bool names);
  void ToggleNoDate();
  void AddEntry(bool atBottom);
  void Add(bool atBottom);
  void AddItemToAList();
  void Move(int step);
  // Delete, or Clear when `all`: its question opens, answered later.
  void Remove(bool all);
  void ClickRandomRow(bool names);
  // A click on a row of either box (-1: below the rows) at x; when it starts an in-place edit,
  // waits for its editor and notes it in the model.
  void ClickRow(bool names, int row, int x);
  void StartEditWithF2(bool names);
  void EditorOpened(bool names, bool date, int row);
  // Ends the open editor: 0 Enter, 1 a click below the rows, 2 Esc.
  void EndEditor(int how);
  void EscapeInTextBox();
  void AnswerBox();
  void HostSaveState();
  void HostSearch();
  void HostSettings();
  void CloseSettings();
  void HostClose(int how);
  void HostInitialize();
  void HostReplaceTool();
  bool WaitUntilClosed();
  bool OpenWindow();
  void Pause();
  void OutsideWrite();
  void WriteOtherList(std::optional<FolderLock>* lock);
  void WriteListNames(std::optional<FolderLock>* lock, std::string* written);
  std::vector<Item> EditAsAnotherProgram(const std::vector<Item>& base,
                                         const std::vector<Item>* window);
  bool WriteAsAnotherProgram(std::optional<FolderLock>* lock, const std::string& file,
                             const std::string& bytes, bool mayDelete);
  void LookAfterOutsideWrite();
  void ShownListLooked(const StoredList& base, const StoredList& written);
  void NamesLooked(const std::string& base, const std::string& written);
  void KillAnotherHost();

  // --- checks after each step ---
  void Check();
  void CheckFiles();
  bool FilesAsModelled();
  void CheckBoxes();

  fw::ComApartment m_apartment;  // the boxes are read as a screen reader reads them
  todo_test::ScratchFolder m_scratch{"todo-chaos-"};  // removed with the fixture
  std::string m_outer;       // the data folder's parent: nothing in it may change
  std::string m_data;        // the host's data folder
  std::string m_listFolder;  // m_data\ToDoList
  FileTree m_outsideBefore;  // everything under m_outer but the list folder's own files
  std::unique_ptr<todo_test::FakeHost> m_host;
  chaos::ToolThreadBarrier m_barrier;
  DWORD m_toolThread = 0;
  HANDLE m_toolThreadHandle = nullptr;
  HWND m_listBox = nullptr;
  HWND m_itemBox = nullptr;
  todo_test::lists::ListModel m_model;
  std::optional<ExpectedBox> m_box;
  bool m_settingsOpen = false;
  std::optional<OpenEditor> m_editor;
  int m_step = 0;
  int m_freshNames = 0;
  int m_outsideTexts = 0;
  int m_kills = 0;
  std::deque<std::string> m_history;
  std::thread m_watchdog;
  std::atomic<bool> m_stopWatchdog{false};
};

}  // namespace chaos
