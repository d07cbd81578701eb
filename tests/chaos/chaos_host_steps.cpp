// The host's steps of the chaos walk: SaveState, a search on a thread of its own, the
// settings message, closes of every kind, Initialize with the window open or closed, and a
// new tool object in place of the old one.

#include "chaos/chaos_walk.h"

#include <algorithm>

namespace chaos {

using todo_test::tool_window::FocusOfThread;

void HostChaos::HostSaveState() {
  const bool saves = m_model.ShowsStoredList();
  Note("host SaveState");
  EXPECT_EQ(saves ? 1 : 0, m_host->tool()->SaveState())
      << "1 exactly when the shown list's file holds its items";
  if (m_model.open) {
    m_model.SaveShown();
    m_model.SaveNames();
  }
}

void HostChaos::HostSearch() {
  const std::vector<std::string> words = {"", "milk", "電話", "2027"};
  const std::string word = PickOf(words);
  Note("host Search \"" + word + "\"");
  // The tool saves nothing while the search reads: the files it finds are those seen here.
  const FolderLock lock(m_listFolder);
  ASSERT_TRUE(lock.Held());
  m_model.SeeSaves(ListFolderFiles());
  std::vector<std::string> found = chaos::SearchOnOwnThread(m_host->tool(), word);
  std::vector<std::string> expected;
  for (const auto& file : m_model.files) {
    for (const Item& item : file.second.items) {
      const std::string line = std::to_string(item.check) + "\t" + std::to_string(item.due.year) +
                               "\t" + std::to_string(item.due.month) + "\t" +
                               std::to_string(item.due.day) + "\t" + item.text;
      if (line.find(word) == std::string::npos) continue;
      expected.push_back("[" + file.second.name + "] " + (item.check == 0 ? "(未)" : "(済)") +
                         " 期限：" + DateText(item.due) + " " + item.text);
    }
  }
  // File names as the disk holds them may differ in letter case from the list's name.
  for (auto* lines : {&found, &expected}) {
    for (std::string& line : *lines) line = Folded(line);
    std::sort(lines->begin(), lines->end());
  }
  EXPECT_EQ(expected, found) << "the search finds what the files hold";
}

void HostChaos::HostSettings() {
  Note("host posts the settings message");
  ::PostMessageA(Tool(), WM_TOOL_SETTINGS, 0, 0);
  Settle();
  // With a message box open nothing opens; a second request keeps the one dialog.
  if (!m_box) m_settingsOpen = true;
}

void HostChaos::CloseSettings() {
  chaos::ModalWindows modal = chaos::ModalWindowsOf(m_toolThread);
  ASSERT_EQ(1u, modal.settings.size());
  Note("close the settings dialog with its button");
  HWND dialog = modal.settings[0];
  ::PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(chaos::WaitFor([&] { return !IsWindow(dialog); })) << "the settings dialog closes";
  m_settingsOpen = false;
  Settle();
}

bool HostChaos::WaitUntilClosed() {
  const bool closed = chaos::WaitFor([&] { return Tool() == nullptr; }, 10000);
  EXPECT_TRUE(closed) << "the window closes; it is " << (IsWindowEnabled(Tool()) ? "" : "not ")
                      << "enabled, with " << chaos::ModalWindowsOf(m_toolThread).messageBoxes.size()
                      << " message boxes and "
                      << chaos::ModalWindowsOf(m_toolThread).settings.size()
                      << " settings dialogs open";
  if (!closed) return false;
  const bool ended = chaos::ThreadEnds(m_toolThreadHandle, 10000);
  EXPECT_TRUE(ended) << "the tool thread ends with its window; it still has "
                     << todo_test::ThreadWindowsOf(m_toolThread).size() << " windows";
  m_barrier.Detach();
  return ended;
}

// how: 0 WM_CLOSE sent by the host, 1 the caption's close, 2 Alt+F4 at the focused control.
void HostChaos::HostClose(int how) {
  if (how == 2 && m_box) how = 1;  // the keys would go to the box
  HWND tool = Tool();
  if (how == 0) {
    Note("host sends WM_CLOSE");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tool, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
  } else if (how == 1) {
    Note("close from the caption (SC_CLOSE)");
    ::PostMessageA(tool, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (m_box) {
      // A message box is owned by the tool window and disables it, so the window's own close
      // does nothing until the box is answered: what the user can do on Windows, too.
      Settle();
      EXPECT_TRUE(IsWindow(tool)) << "a disabled window does not close";
      return;
    }
  } else {
    HWND focus = FocusOfThread(tool);
    Note("Alt+F4");
    const LPARAM down = 1 | (0x3E << 16) | (1 << 29);
    ::PostMessageA(focus ? focus : tool, WM_SYSKEYDOWN, VK_F4, down);
    ::PostMessageA(focus ? focus : tool, WM_SYSKEYUP, VK_F4, down | (3u << 30));
  }
  ModelClosed();
  WaitUntilClosed();
}

bool HostChaos::OpenWindow() {
  const bool opened = m_host->Initialize(true, 10000);
  EXPECT_TRUE(opened) << "Initialize opens the window";
  if (!opened) return false;
  ModelOpened();
  return true;
}

void HostChaos::HostInitialize() {
  if (!m_model.open) {
    Note("host Initialize (window closed)");
    OpenWindow();
    return;
  }
  Note("host Initialize (window open)");
  HWND before = Tool();
  m_host->Initialize(false);
  // The thread it starts finds the window and ends at once.
  HANDLE thread = m_host->tool()->m_pThread ? m_host->tool()->m_pThread->m_hThread : nullptr;
  EXPECT_TRUE(thread && chaos::ThreadEnds(thread)) << "the second tool thread ends at once";
  EXPECT_EQ(before, Tool()) << "the open window stays";
  Settle();
}

void HostChaos::HostReplaceTool() {
  Note(m_model.open ? "host deletes the tool object (window open), makes a new one"
                    : "host deletes the tool object, makes a new one");
  const bool wasOpen = m_model.open;
  m_host->DeleteTool();
  if (wasOpen) {
    ModelClosed();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_toolThreadHandle, 0))
        << "the destructor waited for the tool thread";
    m_barrier.Detach();
  }
  CheckFiles();
  ASSERT_TRUE(m_host->NewTool());
  OpenWindow();
}

}  // namespace chaos
