// The fixture of the chaos walk: the fake host with the real tool, the model, the seeded random
// source, and the steps and checks that the walk is made of. Its members are defined apart:
// chaos_walk.cpp sets up, runs the walk and keeps the model in step with opens and closes,
// chaos_saves.cpp with the tool's saves, chaos_user_steps.cpp and chaos_editor_steps.cpp hold
// what the user does, chaos_host_steps.cpp what the host does, chaos_outside_steps.cpp what
// another program does and chaos_outside_looks.cpp what the window makes of it,
// chaos_killed_host.cpp another host that is killed, chaos_checks.cpp what is checked after
// every step.

#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "chaos/chaos_host.h"
#include "chaos/chaos_model.h"
#include "chaos/folder_lock.h"
#include "chaos/folder_tree.h"
#include "framework/fw_com.h"
#include "support/tool_window.h"

namespace chaos {

class HostChaos : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `steps` steps from `seed`, then closes the window and checks the files once more.
  void Walk(unsigned seed, int steps);

 private:
  // --- the tool window and its controls ---
  HWND Tool() const { return m_host->ToolWindow(); }
  HWND Control(int id) const { return GetDlgItem(Tool(), id); }
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
  void SetPickerDate(HWND picker, const Date& date) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    ::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }

  // --- keeping the model in step ---
  // A save occasion of the shown list's file / of the list-order file: from now on the disk
  // holds what the window shows.
  void SaveShown();
  void SaveNames();
  // Whether the window shows items of the shown list that the disk was not seen to hold.
  bool ShownUnsaved() const;
  // What the window shows after a step, which the tool may save at any moment from now on.
  void RememberWindow();
  // The newest of the window's states since the last look that the disk holds was saved; the
  // tool can save only the window's latest state from now on.
  void SeeSaves(const FileTree& found);
  // The files directly in the list folder by their folded names, but for the folder's lock.
  FileTree ListFolderFiles() const;
  int NewId() { return ++m_model.lastId; }
  void LoadSelected();
  void ActivateNames();
  void ActivateItems();
  void ModelOpened();
  void ModelClosed();
  void Expect(std::vector<std::string> texts, bool yesNo = false,
              std::function<void()> onYes = nullptr) {
    Note("  expects the message \"" + texts[0] + "\"");
    m_box = ExpectedBox{std::move(texts), yesNo, false, std::move(onYes)};
  }

  // --- steps ---
  void Step();
  void Choose(const std::vector<std::pair<int, std::function<void()>>>& choices);
  void Note(const std::string& what);
  void TypeText();
  void PickDate();
  void ClickModeButton(bool names);
  void ToggleNoDate();
  void AddEntry(bool atBottom);
  void AddList(bool atBottom);
  void AddItem(bool atBottom);
  void AddItemToAList();
  void Move(int step);
  void DeleteEntry();
  void ClearBox();
  void ClickListRow();
  void ClickItemRow();
  void ClickItemRowAt(int row, int x);
  // Clicks a box at (x, y); when the click starts an in-place edit of `row`, waits for its
  // editor and notes it in the model.
  void ClickRow(HWND box, int x, int y, bool startsEdit, bool date, int row);
  void StartEditWithF2(bool names);
  void EditorOpened(bool names, bool date, int row);
  void CommitEditor(bool byClickBelow);
  void CancelEditor();
  void CommitModel(const OpenEditor& editor);
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

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  template <typename T>
  const T& PickOf(const std::vector<T>& pool) {
    return pool[static_cast<std::size_t>(Pick(static_cast<int>(pool.size())))];
  }

  fw::ComApartment m_apartment;  // the boxes are read as a screen reader reads them
  std::string m_outer;           // the data folder's parent: nothing in it may change
  std::string m_data;            // the host's data folder
  std::string m_listFolder;      // m_data\ToDoList
  FileTree m_outsideBefore;      // everything under m_outer but the list folder's own files
  std::unique_ptr<chaos::ChaosHost> m_host;
  chaos::ToolThreadBarrier m_barrier;
  DWORD m_toolThread = 0;
  HANDLE m_toolThreadHandle = nullptr;
  HWND m_listBox = nullptr;
  HWND m_itemBox = nullptr;
  Model m_model;
  std::optional<ExpectedBox> m_box;
  bool m_settingsOpen = false;
  std::optional<OpenEditor> m_editor;
  std::mt19937 m_random;
  int m_step = 0;
  int m_freshNames = 0;
  int m_outsideTexts = 0;
  int m_kills = 0;
  std::deque<std::string> m_history;
  std::thread m_watchdog;
  std::atomic<bool> m_stopWatchdog{false};
};

}  // namespace chaos
