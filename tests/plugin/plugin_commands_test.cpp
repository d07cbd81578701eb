// Working with lists and items through the real window: typing into the real text box, the
// real date picker and buttons, the real message boxes answered by finding them, and the
// files on disk checked byte for byte.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/message_pump.h"
#include "support/run_host.h"
#include "support/tool_window.h"

using todo_test::FakeHost;
using todo_test::PumpFor;
using todo_test::PumpUntil;
using namespace todo_test::tool_window;

namespace {

class ToolCommands : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.OpenTool());
    tool = host.tool()->m_hWnd;
    listBox = BoxAt(tool, kListBoxCorner);
    itemBox = BoxAt(tool, kItemBoxCorner);
  }

  HWND Control(int id) { return GetDlgItem(tool, id); }
  void Type(const char* text) {
    ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void PickDate(int year, int month, int day) {
    SYSTEMTIME date = {};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    ::SendMessageA(Control(kDatePicker), DTM_SETSYSTEMTIME, GDT_VALID,
                   reinterpret_cast<LPARAM>(&date));
  }
  // A click on a button that shows no message box: handled when this returns.
  void Press(int id) { ::SendMessageA(Control(id), BM_CLICK, 0, 0); }
  // A click on a button that shows a message box: the box is found by its caption, its text
  // returned, and answered with `answer` (IDOK, IDYES or IDNO).
  std::string PressAndAnswer(int id, int answer) {
    ::PostMessageA(Control(id), BM_CLICK, 0, 0);
    HWND box = nullptr;
    PumpUntil([&] { return (box = ToolMessageBox(tool)) != nullptr; });
    if (box == nullptr) return "<no message box>";
    EXPECT_EQ(1, host.tool()->m_bBusy.load()) << "busy while the box is open";
    const std::string text = MessageBoxText(box);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    PumpUntil([&] { return !IsWindow(box); });
    PumpUntil([&] { return host.tool()->m_bBusy.load() == 0; });
    return text;
  }
  std::string File(const std::string& name) { return ReadFile(ListFolder(host) + "\\" + name); }

  FakeHost host;
  HWND tool = nullptr;
  HWND listBox = nullptr;
  HWND itemBox = nullptr;
};

// The road of one item: a list made, an item typed, dated and added, another list selected,
// the record line in the list's file, and the host's search finding it.
TEST_F(ToolCommands, ItemTypedDatedAndAddedReachesItsListsFile) {
  Type("仕事");
  Press(kAdd);
  EXPECT_EQ("", File("仕事.lst"));
  EXPECT_EQ(0, GetWindowTextLengthA(Control(kTextBox))) << "emptied after the add";
  ::SendMessageA(Control(kNoDateBox), BM_CLICK, 0, 0);
  Type("買い物");
  Press(kAddAtBottom);
  EXPECT_EQ("NO_DATE\r\n", File("買い物.lst"));
  // Back to the first list, then the item.
  Click(listBox, 10, 10);
  Press(kItemModeButton);
  Type("電話する");
  PickDate(2026, 12, 24);
  Press(kAdd);
  Type("メール");
  PickDate(2027, 1, 5);
  Press(kAddAtBottom);
  Click(listBox, 10, 30);  // another list: the first one is written
  EXPECT_EQ("0,2026,12,24,電話する\r\n0,2027,1,5,メール\r\n", File("仕事.lst"));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("仕事\r\n買い物\r\n", File("ListInfo.dat"));
  EXPECT_EQ("NO_DATE\r\n", File("買い物.lst"));
  todo_test::HostRun search =
      todo_test::RunHost("--data \"" + host.dataFolder() + "\" search --raw 電話");
  EXPECT_EQ(0u, search.exitCode);
  EXPECT_EQ("[仕事] (未) 期限：2026/12/24 電話する\n", search.out);
}

TEST_F(ToolCommands, RefusalsShowTheirMessagesAndKeepTheText) {
  // Item mode with no list to add to.
  Press(kItemModeButton);
  Type("item");
  EXPECT_EQ("アイテムを登録できません。\nリストを、選択するか新規登録して下さい。",
            PressAndAnswer(kAdd, IDOK));
  Press(kListModeButton);
  EXPECT_EQ("登録するリスト名を入力して下さい！", PressAndAnswer(kAdd, IDOK));
  Type("a/b");
  EXPECT_EQ(
      "リスト名として適切ではありません。\nファイル名に使用できない文字は使用できません。"
      "（\\/:*?\"<>|）",
      PressAndAnswer(kAdd, IDOK));
  Type("list");
  Press(kAdd);
  Type("list");
  EXPECT_EQ("その名前のリストは既に登録されています！", PressAndAnswer(kAddAtBottom, IDOK));
  char text[64] = "";
  GetWindowTextA(Control(kTextBox), text, sizeof(text));
  EXPECT_STREQ("list", text);
}

TEST_F(ToolCommands, DeleteAsksFirstAndRemovesTheListsFileAtOnce) {
  Type("keep");
  Press(kAdd);
  Type("gone");
  Press(kAdd);  // "gone" on top, selected
  EXPECT_NE("", PressAndAnswer(kDelete, IDNO));
  EXPECT_EQ("", File("gone.lst")) << "No changes nothing";
  EXPECT_NE("", PressAndAnswer(kDelete, IDYES));
  EXPECT_EQ("<missing>", File("gone.lst"));
  // No list stays selected: a save from the host writes nothing.
  EXPECT_EQ(0, host.tool()->SaveState());
  Press(kMoveUp);  // nothing selected: nothing moves
  EXPECT_NE("", PressAndAnswer(kClear, IDYES));
  EXPECT_EQ("<missing>", File("keep.lst"));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("", File("ListInfo.dat"));
}

}  // namespace
