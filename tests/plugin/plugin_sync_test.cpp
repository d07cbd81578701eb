// The tool window and its list files kept in step, through the real module in Lumaplex.exe
// processes of their own, as users and other programs meet it: another program replacing or
// appending to the shown list's file, the host killed a moment after a change, and two hosts
// on one data folder. The files are checked byte for byte.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "support/folder_lock.h"
#include "framework/fw_com.h"
#include "framework/fw_handles.h"
#include "support/fake_host.h"
#include "support/host_process.h"
#include "support/own_desktop.h"
#include "support/run_host.h"
#include "support/scratch_folder.h"
#include "support/tool_window.h"

namespace todo_test {
namespace {

using namespace tool_window;

const char kListA[] = "0,2026,12,1,a1\r\n0,2026,12,2,a2\r\n0,2026,12,3,a3\r\n";
const char kListB[] = "0,2026,12,1,b1\r\n";
const char kOrder[] = "A\r\nB\r\n";

// How long a change may take to show or to reach a file: far longer than the second the tool
// takes, so that a machine busy with other work passes; a tool that never does it fails.
constexpr DWORD kLimitMs = 5000;
// Longer than the pause between a change in the list folder and a tool window's look at it.
constexpr DWORD kQuietMs = 600;

// The record line of an item added today with the date the date picker opens with.
std::string AddedToday(const char* text) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return "0," + std::to_string(now.wYear) + "," + std::to_string(now.wMonth) + "," +
         std::to_string(now.wDay) + "," + text + "\r\n";
}

// Runs a command of cmd.exe, a program of its own, and waits until it has ended; false when
// it failed or did not end in time.
bool Cmd(const std::string& command) {
  return RunProgram("cmd.exe /c " + command, kLimitMs, CREATE_NO_WINDOW).exitCode == 0;
}

class ToolSync : public testing::Test {
 protected:
  void SetUp() override { MakeLists(); }

  // Lists A (three items) and B (one) in a data folder of the test's own.
  void MakeLists() {
    CreateDirectoryA(m_data.c_str(), nullptr);
    CreateDirectoryA(ListFolder().c_str(), nullptr);
    WriteFile(File("A.lst"), kListA);
    WriteFile(File("B.lst"), kListB);
    WriteFile(File("ListInfo.dat"), kOrder);
  }

  // A host on the data folder with its tool window opening.
  std::unique_ptr<HostProcess> StartHost() const {
    return std::make_unique<HostProcess>(m_data, OwnDesktopName());
  }
  std::string ListFolder() const { return m_data + "\\ToDoList"; }
  std::string File(const std::string& name) const { return ListFolder() + "\\" + name; }
  std::string Read(const std::string& name) const { return ReadFile(File(name)); }

  // Waits until no file of the list folder has been made, removed or renamed for a while: no
  // tool window looks at the folder (it takes the folder's lock) or writes to it any more.
  // False when that does not happen in time.
  bool FolderSettles() const {
    const fw::UniqueHandle<FindCloseChangeNotification> change(
        FindFirstChangeNotificationA(ListFolder().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    const DWORD start = GetTickCount();
    while (change.Ok() && GetTickCount() - start < kLimitMs) {
      if (WaitForSingleObject(change.Get(), kQuietMs) == WAIT_TIMEOUT) return true;
      FindNextChangeNotification(change.Get());
    }
    return false;
  }

  const fw::ComApartment m_apartment;  // the item box is read through its accessible object
  const ScratchFolder m_scratch{"todo-sync-"};
  const std::string m_data = m_scratch.File("data");
};

enum class InWindow { kNothing, kFirstMovedDown, kFirstTicked, kSecondTicked };
// What another program does to the list's file: a new file moved over it, as an editor saves,
// or a record appended in place.
enum class Outside { kNothing, kReplaced, kAppended };

struct OutsideCase {
  const char* what;
  InWindow inWindow;
  Outside outside;
  const char* fileAfter;
  const wchar_t* rowsAfter;
  bool conflict;  // the window and the other program changed one item differently
};

// An editor's save: the second item edited, and LF line ends, which the tool never writes.
const char kReplacement[] = "0,2026,12,1,a1\n0,2026,12,2,a2 edited\n0,2026,12,3,a3\n";
const char kAppended[] = "0,2026,12,9,outside";

// Another program changes the shown list's file while the window shows it, with or without a
// change in the window meanwhile (and a change in the window alone, to compare). The window
// shows the change; with a change in the window too, the two are merged in the file; a record
// both changed is kept in both versions and the user told once. The tool's own write causes
// no further write or message, and nothing the other program wrote is ever lost, the close
// included.
TEST_F(ToolSync, ChangesMadeOutsideShowAndAreMergedNeverWrittenOver) {
  const OutsideCase cases[] = {
      {"nothing outside, an item ticked in the window", InWindow::kFirstTicked, Outside::kNothing,
       "1,2026,12,1,a1\r\n0,2026,12,2,a2\r\n0,2026,12,3,a3\r\n", L"a1;a2;a3;", false},
      {"replaced, nothing changed in the window", InWindow::kNothing, Outside::kReplaced,
       kReplacement, L"a1;a2 edited;a3;", false},
      {"appended, nothing changed in the window", InWindow::kNothing, Outside::kAppended,
       "0,2026,12,1,a1\r\n0,2026,12,2,a2\r\n0,2026,12,3,a3\r\n0,2026,12,9,outside\r\n",
       L"a1;a2;a3;outside;", false},
      {"appended, an item moved in the window", InWindow::kFirstMovedDown, Outside::kAppended,
       "0,2026,12,2,a2\r\n0,2026,12,1,a1\r\n0,2026,12,3,a3\r\n0,2026,12,9,outside\r\n",
       L"a2;a1;a3;outside;", false},
      {"replaced, another item ticked in the window", InWindow::kFirstTicked, Outside::kReplaced,
       "1,2026,12,1,a1\r\n0,2026,12,2,a2 edited\r\n0,2026,12,3,a3\r\n", L"a1;a2 edited;a3;", false},
      {"replaced, the same item ticked in the window", InWindow::kSecondTicked, Outside::kReplaced,
       "0,2026,12,1,a1\r\n1,2026,12,2,a2\r\n0,2026,12,2,a2 edited\r\n0,2026,12,3,a3\r\n",
       L"a1;a2;a2 edited;a3;", true},
  };
  for (const OutsideCase& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveTree(m_data);
    MakeLists();
    {
      const std::unique_ptr<HostProcess> host = StartHost();
      ASSERT_TRUE(host->WaitForTool());
      host->SelectList(0);
      ASSERT_TRUE(PumpUntil([&] { return host->ItemTexts() == L"a1;a2;a3;"; }, kLimitMs));
      // With changes on both sides, the folder's lock keeps the window's save back until the
      // other program has written: the two changes meet in the file.
      const bool both = c.inWindow != InWindow::kNothing && c.outside != Outside::kNothing;
      std::optional<FolderLock> lock;
      if (both) lock.emplace(ListFolder(), kLimitMs);
      switch (c.inWindow) {
        case InWindow::kNothing:
          break;
        case InWindow::kFirstMovedDown:
          host->SelectItem(0);
          host->Press(kMoveDown);
          break;
        case InWindow::kFirstTicked:
        case InWindow::kSecondTicked:
          host->SelectItem(c.inWindow == InWindow::kFirstTicked ? 0 : 1);
          host->KeyInItemBox(VK_SPACE);
          break;
      }
      if (c.outside == Outside::kReplaced) {
        const std::string made = m_data + "\\A.lst.new";
        WriteFile(made, kReplacement);
        ASSERT_TRUE(Cmd("move /y \"" + made + "\" \"" + File("A.lst") + "\""));
      } else if (c.outside == Outside::kAppended) {
        ASSERT_TRUE(Cmd(std::string("echo ") + kAppended + ">>\"" + File("A.lst") + "\""));
      }
      lock.reset();

      PumpUntil([&] { return host->ItemTexts() == c.rowsAfter && Read("A.lst") == c.fileAfter; },
                kLimitMs);
      EXPECT_EQ(c.rowsAfter, host->ItemTexts());
      EXPECT_EQ(c.fileAfter, Read("A.lst"));
      if (c.conflict) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = host->ToolMessageBox()) != nullptr; }));
        EXPECT_EQ(kConflict, MessageBoxText(box));
        ASSERT_TRUE(AnswerBox(box, IDOK));
      }
      // The tool's own write and its look afterwards cause no further write or message.
      const ULONGLONG written = WriteTime(File("A.lst"));
      EXPECT_TRUE(FolderSettles()) << "the window keeps looking at the folder or writing";
      EXPECT_EQ(written, WriteTime(File("A.lst")));
      EXPECT_EQ(nullptr, host->ToolMessageBox());

      host->Close();
      ASSERT_TRUE(host->WaitForEnd());
    }
    EXPECT_EQ(c.fileAfter, Read("A.lst"));
    EXPECT_EQ(kListB, Read("B.lst"));
    EXPECT_EQ(kOrder, Read("ListInfo.dat"));
  }
}

// The host is killed a second and a half after the user's last change, as a crash of another
// tool in the same process would end it: the item added and the list made are on disk.
TEST_F(ToolSync, HostKilledASecondAndAHalfAfterAChangeLosesNothing) {
  const std::unique_ptr<HostProcess> host = StartHost();
  ASSERT_TRUE(host->WaitForTool());
  host->Press(kListModeButton);
  host->Type("N");
  host->Press(kAddAtBottom);  // made and selected
  host->SelectList(0);        // A
  host->Press(kItemModeButton);
  host->Type("killed");
  host->Press(kAdd);
  const std::string added = AddedToday("killed");
  ASSERT_EQ(L"killed;a1;a2;a3;", host->ItemTexts());
  PumpFor(1500);
  host->Kill();
  EXPECT_EQ(added + kListA, Read("A.lst"));
  EXPECT_EQ("A\r\nB\r\nN\r\n", Read("ListInfo.dat"));
  EXPECT_EQ("", Read("N.lst"));
}

// Two hosts on one data folder, as with one folder shared by two machines: each adds an item
// to A and a list of its own, in turns, and then both close at once. Nothing of either is
// lost.
TEST_F(ToolSync, TwoHostsOnOneFolderKeepEachOthersItemsAndLists) {
  const std::unique_ptr<HostProcess> first = StartHost();
  const std::unique_ptr<HostProcess> second = StartHost();
  ASSERT_TRUE(first->WaitForTool());
  ASSERT_TRUE(second->WaitForTool());
  for (const HostProcess* host : {first.get(), second.get()}) {
    host->SelectList(0);
    host->Press(kItemModeButton);
  }
  first->Type("one");
  first->Press(kAdd);
  second->Type("two");
  second->Press(kAddAtBottom);
  const std::string added = AddedToday("one") + kListA + AddedToday("two");
  for (const HostProcess* host : {first.get(), second.get()}) host->Press(kListModeButton);
  first->Type("L1");
  first->Press(kAdd);
  second->Type("L2");
  second->Press(kAddAtBottom);
  first->Close();
  second->Close();
  EXPECT_TRUE(first->WaitForEnd());
  EXPECT_TRUE(second->WaitForEnd());
  EXPECT_EQ(added, Read("A.lst"));
  EXPECT_EQ("L1\r\nA\r\nB\r\nL2\r\n", Read("ListInfo.dat"));
  EXPECT_EQ("", Read("L1.lst"));
  EXPECT_EQ("", Read("L2.lst"));
}

}  // namespace
}  // namespace todo_test
