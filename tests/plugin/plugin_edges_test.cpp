// The tool window where the outside world meets it: a host that closes the window while one
// of its boxes is open, a reader that holds a list's file as the window closes, names in the
// list-order file that point out of the list folder, list files the list boxes cannot carry,
// and keys that must not close the window.

#include <iterator>
#include <string>
#include <thread>

#include "framework/fw_handles.h"
#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

class ToolEdges : public ToolWindowTest {
 protected:
  // Lists "a" (two items) and "b" (one), then the window opened.
  void SetUp() override {
    WriteListFolder({{"a.lst", kListA}, {"b.lst", kListB}, {"ListInfo.dat", "a\r\nb\r\n"}});
    Open();
  }

  // Selects item `row` of list "a" in item mode.
  void SelectItemOfA(int row) {
    SelectList(0);
    ItemMode();
    SelectItem(row);
  }
  // Ticks item `row` of list "a" off or back on with Space: a change to save.
  void ToggleItemOfA(int row) {
    SelectItemOfA(row);
    ::SendMessageA(itemBox, WM_KEYDOWN, VK_SPACE, 0);
  }

  static constexpr const char* kListA = "0,2026,12,7,a0\r\n1,2026,12,9,a1\r\n";
  static constexpr const char* kListB = "0,2026,1,1,b0\r\n";
};

// --- Closing while a box is open ---

// What the window has open when the host closes it.
enum class Left { kQuestion, kSettings, kNameEditor };

// Each question used to crash the host process with a read at address 4 once the box was
// answered after the window had gone. A rename the user has not ended with Enter is given up.
TEST_F(ToolEdges, CloseUnderAnOpenBoxOrEditorNeitherCrashesNorChangesAnything) {
  const struct {
    const char* what;
    Left left;
    bool itemMode;
    int command;
    const char* question;
  } cases[] = {
      {"delete list", Left::kQuestion, false, kDelete, kDeleteList},
      {"clear lists", Left::kQuestion, false, kClear, kClearLists},
      {"delete item", Left::kQuestion, true, kDelete, kDeleteItem},
      {"clear items", Left::kQuestion, true, kClear, kClearItems},
      {"settings", Left::kSettings, false, 0, nullptr},
      {"name editor", Left::kNameEditor, false, 0, nullptr},
  };
  int closes = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!tool) {
      ASSERT_NO_FATAL_FAILURE(Open());
    }
    if (c.left == Left::kSettings) {
      ::PostMessageA(tool, WM_TOOL_SETTINGS, 0, 0);
      ASSERT_TRUE(PumpUntil([&] { return host.tool()->m_bBusy.load() == 1; }));
    } else if (c.left == Left::kNameEditor) {
      SelectList(0);
      ::SendMessageA(listBox, WM_KEYDOWN, VK_F2, 0);
      HWND editor = nullptr;
      ASSERT_TRUE(
          PumpUntil([&] { return (editor = FindWindowExA(listBox, nullptr, "Edit", nullptr)); }));
      ::SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("half typed"));
    } else {
      SelectList(0);
      if (c.itemMode) {
        ItemMode();
        SelectItem(0);
      }
      HWND box = PressAndWaitForBox(c.command);
      ASSERT_NE(nullptr, box);
      EXPECT_EQ(c.question, MessageBoxText(box));
    }
    ASSERT_TRUE(HostCloses());
    tool = nullptr;
    EXPECT_EQ(0, host.tool()->m_bBusy.load());
    EXPECT_EQ(nullptr, ToolMessageBox(nullptr)) << "no box outlives the window";
    EXPECT_EQ(0, CountWindowsTitled(kMessageBoxCaption));
    EXPECT_EQ(0, CountWindowsTitled(kSettingsCaption));
    // The question was taken as No: everything is stored as it was, and saved on the way out.
    EXPECT_EQ(kListA, ReadFile(ListFile("a")));
    EXPECT_EQ(kListB, ReadFile(ListFile("b")));
    EXPECT_EQ("a\r\nb\r\n", ReadFile(OrderFile()));
    EXPECT_EQ("<missing>", ReadFile(ListFile("half typed")));
    EXPECT_EQ(++closes, host.log().Count("closing 18"));
  }
}

// The box is owned by the tool window, so the user cannot reach the window's own close box
// or start a second command under it; the host can still delete the tool object.
TEST_F(ToolEdges, DeletingTheToolUnderAnOpenBoxClosesWithTheUsualSaves) {
  ToggleItemOfA(0);  // a0 ticked
  ASSERT_NE(nullptr, PressAndWaitForBox(kClear));
  EXPECT_FALSE(IsWindowEnabled(tool)) << "the window waits for the box";
  host.DeleteTool();  // the destructor closes the window and waits for the tool thread
  EXPECT_EQ(nullptr, ToolMessageBox(nullptr));
  EXPECT_EQ("1,2026,12,7,a0\r\n1,2026,12,9,a1\r\n", ReadFile(ListFile("a")));
  EXPECT_EQ(kListB, ReadFile(ListFile("b")));
  EXPECT_EQ("a\r\nb\r\n", ReadFile(OrderFile()));
}

TEST_F(ToolEdges, HostSaveUnderAnOpenBoxSavesTheShownList) {
  ToggleItemOfA(1);  // a1 back to open
  HWND box = PressAndWaitForBox(kDelete);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(1, host.tool()->SaveState());
  EXPECT_EQ("0,2026,12,7,a0\r\n0,2026,12,9,a1\r\n", ReadFile(ListFile("a")));
  ASSERT_TRUE(AnswerBox(box, IDYES));
  ASSERT_TRUE(HostCloses());
  EXPECT_EQ("0,2026,12,7,a0\r\n", ReadFile(ListFile("a")));
}

TEST_F(ToolEdges, SettingsAskedForUnderAMessageBoxDoNotOpen) {
  SelectList(0);
  HWND box = PressAndWaitForBox(kDelete);
  ASSERT_NE(nullptr, box);
  ::PostMessageA(tool, WM_TOOL_SETTINGS, 0, 0);
  PumpFor(300);
  EXPECT_EQ(box, ToolMessageBox(tool)) << "the question is still the only box";
  ASSERT_TRUE(AnswerBox(box, IDNO));
  PumpFor(300);
  EXPECT_EQ(nullptr, ToolMessageBox(tool));
  EXPECT_EQ(0, host.tool()->m_bBusy.load());
}

// --- A reader holding the current list's file as the window closes ---

// Holds a file open the way a reader without delete sharing does, which keeps Windows from
// replacing it, until closed.
fw::UniqueFileHandle HeldFile(const std::string& path) {
  return fw::UniqueFileHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Used to close after about a second of retries with the change lost and nothing said.
TEST_F(ToolEdges, CloseWhileAReaderHoldsTheListForAMomentStillSavesIt) {
  SelectItemOfA(0);
  ASSERT_EQ(kDeleteItem, PressAndAnswer(kDelete, IDYES));
  fw::UniqueFileHandle reader = HeldFile(ListFile("a"));
  ASSERT_TRUE(reader.Ok());
  std::thread releaseLater([&] {
    Sleep(3500);
    reader.Close();
  });
  const bool closed = HostCloses();
  releaseLater.join();
  ASSERT_TRUE(closed);
  EXPECT_EQ("1,2026,12,9,a1\r\n", ReadFile(ListFile("a")));
}

// The close asks, once its retries are over, whether to try again: No closes without the
// change, Yes (with the reader gone) saves it.
TEST_F(ToolEdges, CloseWhileTheListStaysHeldAsksAndSavesOnlyOnRetry) {
  const struct {
    int answer;
    const char* saved;
  } cases[] = {{IDNO, kListA}, {IDYES, "0,2026,12,7,a0\r\n0,2026,12,9,a1\r\n"}};
  int closes = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer == IDYES ? "Yes" : "No");
    if (!host.tool()->m_hWnd) {
      ASSERT_NO_FATAL_FAILURE(Open());
    }
    ToggleItemOfA(1);
    fw::UniqueFileHandle reader = HeldFile(ListFile("a"));
    ASSERT_TRUE(reader.Ok());
    ::PostMessageA(tool, WM_CLOSE, 0, 0);
    HWND question = WaitForBox(30000);
    ASSERT_NE(nullptr, question);
    EXPECT_NE(nullptr, host.tool()->m_hWnd) << "the window waits for the answer";
    EXPECT_EQ(kSaveAgainOnClose, MessageBoxText(question));
    // Another close meanwhile leaves the question to the user.
    ::PostMessageA(tool, WM_CLOSE, 0, 0);
    PumpFor(300);
    EXPECT_TRUE(IsWindow(question));
    if (c.answer == IDYES) reader.Close();
    ASSERT_TRUE(AnswerBox(question, c.answer));
    ASSERT_TRUE(PumpUntil([&] { return host.tool()->m_hWnd == nullptr; }));
    reader.Close();
    EXPECT_EQ(c.saved, ReadFile(ListFile("a")));
    EXPECT_EQ("a\r\nb\r\n", ReadFile(OrderFile()));
    EXPECT_EQ(++closes, host.log().Count("closing 18")) << "one notice for each close";
  }
}

// --- Keys ---

// The multi-line text box used to answer Esc by closing the dialog it sits in, once it had
// seen a key: what was typed was gone and the window with it.
TEST_F(ToolEdges, EscEnterAndCtrlEnterCloseNoControlOfTheWindow) {
  ASSERT_NO_FATAL_FAILURE(Activate());
  for (WORD key : {WORD('A'), WORD('B')}) PressKeys({}, key);
  ASSERT_TRUE(PumpUntil([&] { return WindowText(Control(kTextBox)) == "ab"; }));
  PressKeys({}, VK_ESCAPE);
  PumpFor(500);
  ASSERT_NE(nullptr, host.tool()->m_hWnd);
  EXPECT_EQ("ab", WindowText(Control(kTextBox)));
  EXPECT_EQ(0, host.log().Count("closing 18"));
  // Every other control that takes the focus, with Esc, Enter and Ctrl+Enter.
  // (Enter on a button clicks it, so the buttons get Esc only.)
  const struct {
    int id;
    bool enter;
  } controls[] = {
      {kTextBox, true}, {kDatePicker, true}, {kNoDateBox, true}, {kAdd, false}, {kDelete, false}};
  for (const auto& control : controls) {
    ::SendMessageA(tool, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(control.id)), TRUE);
    PumpFor(100);
    PressKeys({}, VK_ESCAPE);
    if (control.enter) {
      PressKeys({}, VK_RETURN);
      PressKeys({VK_CONTROL}, VK_RETURN);
      PressKeys({}, VK_ESCAPE);
    }
    PumpFor(300);
    ASSERT_NE(nullptr, host.tool()->m_hWnd) << "control " << control.id;
  }
  for (HWND box : {listBox, itemBox}) {
    Click(box, 10, 30);
    PressKeys({}, VK_ESCAPE);
    PressKeys({VK_CONTROL}, VK_RETURN);
    PumpFor(300);
    ASSERT_NE(nullptr, host.tool()->m_hWnd);
  }
  EXPECT_EQ(0, host.log().Count("closing 18"));
  // The caption's close box still closes, with the saves.
  ::PostMessageA(tool, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(PumpUntil([&] { return host.tool()->m_hWnd == nullptr; }));
  EXPECT_EQ(1, host.log().Count("closing 18"));
  EXPECT_EQ("a\r\nb\r\n", ReadFile(OrderFile()));
}

// --- What others write into the list folder ---

// The names used to be taken as paths: selecting, leaving, closing, deleting and clearing
// read, wrote, replaced and deleted files outside the list folder.
TEST_F(ToolEdges, NamesInTheOrderFileNeverLeadOutOfTheListFolder) {
  ASSERT_TRUE(HostCloses());
  const std::string data = host.dataFolder();
  const std::string parent = data.substr(0, data.find_last_of('\\'));
  std::string order = "a\r\n";
  for (const char* name : kEscapingNames) order += std::string(name) + "\r\n";
  WriteFile(OrderFile(), order);
  for (const char* folder : {"sub", "ab\x80", "\x80", "\x81\x81"}) {
    CreateDirectoryA(Path(folder).c_str(), nullptr);
  }
  // What the names would reach if they were paths, with bytes to lose.
  const std::string outside[] = {
      parent + "\\escape.lst", data + "\\up1.lst",  data + "\\fwd.lst",     Path("sub\\x.lst"),
      Path("ab\x80\\cd.lst"),  Path("\x80\\x.lst"), Path("\x81\x81\\x.lst")};
  for (const std::string& path : outside) WriteFile(path, "0,2026,1,1,not the tool's\r\n");
  ASSERT_NO_FATAL_FAILURE(Open());
  const int rows = 1 + static_cast<int>(std::size(kEscapingNames));
  for (int row = 1; row < rows; ++row) {
    SelectList(0);
    SelectList(row);
    EXPECT_EQ(0, host.tool()->SaveState()) << "row " << row << ": nothing is written";
  }
  ASSERT_TRUE(HostCloses());
  EXPECT_EQ(order, ReadFile(OrderFile())) << "the names are kept";
  ASSERT_NO_FATAL_FAILURE(Open());
  SelectList(3);
  ASSERT_EQ(kDeleteList, PressAndAnswer(kDelete, IDYES));
  ASSERT_EQ(kClearLists, PressAndAnswer(kClear, IDYES));
  ASSERT_TRUE(HostCloses());
  for (const std::string& path : outside) {
    EXPECT_EQ("0,2026,1,1,not the tool's\r\n", ReadFile(path)) << path;
  }
  EXPECT_EQ("<missing>", ReadFile(ListFile("a"))) << "the list of the folder is cleared";
  for (const std::string& folder : {parent, data}) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\~save*").c_str(), &entry);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find) << "a save's temporary file in " << folder;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
  }
}

// A list file with every byte value came back 40,960 bytes shorter after it was only looked
// at: the bytes after each zero byte were cut off.
TEST_F(ToolEdges, ListFilesOnlyLookedAtKeepTheirBytes) {
  ASSERT_TRUE(HostCloses());
  std::string everyByte;
  for (int line = 0; line < 4096; ++line) {
    for (int value = 0; value < 256; ++value) everyByte += static_cast<char>((value + line) % 256);
  }
  const std::string odd = " 01,2026,01,05,x\r\nno comma\n,,1,,2026,,2,,3,,commas\r\n\r\n0,1,2";
  WriteFile(ListFile("a"), everyByte);
  WriteFile(ListFile("b"), odd);
  ASSERT_NO_FATAL_FAILURE(Open());
  SelectList(0);
  SelectList(1);
  SelectList(0);
  EXPECT_EQ(0, host.tool()->SaveState()) << "a list the boxes cannot carry is not saved";
  ASSERT_TRUE(HostCloses());
  EXPECT_TRUE(everyByte == ReadFile(ListFile("a"))) << "every byte value";
  EXPECT_EQ(odd, ReadFile(ListFile("b"))) << "nothing changed, nothing written";
}

}  // namespace
}  // namespace todo_test
