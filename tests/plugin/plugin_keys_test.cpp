// The commands' keys and the Tab order through the real window: keys pressed as the keyboard
// presses them, into whatever has the focus, and the files on disk checked.

#include <string>
#include <vector>

#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

class ToolKeys : public ToolWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(Activate());
  }

  // Types a list name and adds it with Alt+`key` (A at the top, B at the bottom); waits until
  // the list's empty file is there.
  void AddListByKey(const std::string& name, WORD key = 'A') {
    Type(name.c_str());
    PressKeys({VK_MENU}, key);
    ASSERT_TRUE(PumpUntil([&] { return File(name + ".lst") == ""; }))
        << name << " added with Alt+" << char(key);
  }
};

TEST_F(ToolKeys, EachCommandRunsFromItsKeyWithTheFilesAsItsButtonLeavesThem) {
  ASSERT_NO_FATAL_FAILURE(AddListByKey("仕事"));
  EXPECT_EQ(FocusOfThread(tool), Control(kTextBox)) << "the focus stays for the next entry";
  ASSERT_NO_FATAL_FAILURE(AddListByKey("買い物", 'B'));
  ASSERT_NO_FATAL_FAILURE(AddListByKey("家"));
  // 家 (selected), 仕事, 買い物: down twice, then up once.
  PressKeys({VK_MENU}, 'D');
  PressKeys({VK_MENU}, 'D');
  PressKeys({VK_MENU}, 'U');
  // Focus below posts a message, which the window takes before input still queued: wait
  // until the moves are saved first.
  EXPECT_TRUE(PumpUntil([&] { return File("ListInfo.dat") == "仕事\r\n家\r\n買い物\r\n"; }));
  // Delete in the list-name box deletes the selected list after its question.
  Focus(listBox);
  PressKeys({}, VK_DELETE);
  EXPECT_EQ(kDeleteList, Answer(IDYES));
  EXPECT_EQ("<missing>", File("家.lst"));
  EXPECT_EQ("", File("仕事.lst"));
  // Alt+C clears, after its question; a No keeps every list.
  PressKeys({VK_MENU}, 'C');
  EXPECT_EQ(kClearLists, Answer(IDNO));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("仕事\r\n買い物\r\n", File("ListInfo.dat"));
}

TEST_F(ToolKeys, MovesFollowTheirKeysInTheListOrder) {
  for (const char* name : {"c", "b", "a"}) ASSERT_NO_FATAL_FAILURE(AddListByKey(name));
  PressKeys({VK_MENU}, 'D');  // a, the new one, goes below b
  // The close is a posted message, which the window takes before input still queued: wait
  // until the move is saved (a second after it) before closing.
  EXPECT_TRUE(PumpUntil([&] { return File("ListInfo.dat") == "b\r\na\r\nc\r\n"; }));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("b\r\na\r\nc\r\n", File("ListInfo.dat"));
}

// Ctrl+Z and Ctrl+Y through the real window: a deleted list and its file come back and go
// again; in the text box Ctrl+Z is the text box's own.
TEST_F(ToolKeys, CtrlZBringsADeletedListBackAndCtrlYDeletesItAgain) {
  ASSERT_NO_FATAL_FAILURE(AddListByKey("a"));
  Focus(listBox);
  PressKeys({}, VK_DELETE);
  EXPECT_EQ(kDeleteList, Answer(IDYES));
  ASSERT_EQ("<missing>", File("a.lst"));
  Focus(Control(kTextBox));
  PressKeys({VK_CONTROL}, 'Z');
  // Input is taken in order, but the focus move below is a posted message, taken before input
  // still queued: once a letter typed after Ctrl+Z shows, the text box has had the Ctrl+Z.
  PressKeys({}, 'Q');
  ASSERT_TRUE(
      PumpUntil([&] { return WindowText(Control(kTextBox)).find('q') != std::string::npos; }));
  PumpFor(500);
  EXPECT_EQ("<missing>", File("a.lst")) << "the text box's own undo";
  Focus(listBox);
  PressKeys({VK_CONTROL}, 'Z');
  EXPECT_TRUE(PumpUntil([&] { return File("a.lst") == ""; })) << "the list's file is back";
  PressKeys({VK_CONTROL}, 'Y');
  EXPECT_TRUE(PumpUntil([&] { return File("a.lst") == "<missing>"; }));
  PressKeys({VK_SHIFT, VK_CONTROL}, 'Z');  // nothing left to do again
  PumpFor(300);
  EXPECT_EQ(nullptr, ToolMessageBox(tool));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("", File("ListInfo.dat"));
}

// The edit keys keep their meaning where text is edited.
TEST_F(ToolKeys, DeleteAndCtrlLettersInTheTextBoxEditTheText) {
  ASSERT_NO_FATAL_FAILURE(AddListByKey("x"));
  Type("ab");
  ::SendMessageA(Control(kTextBox), EM_SETSEL, 0, 0);
  PressKeys({}, VK_DELETE);
  ASSERT_TRUE(PumpUntil([&] { return WindowText(Control(kTextBox)) == "b"; }));
  PressKeys({VK_CONTROL}, 'A');
  PumpFor(300);
  EXPECT_EQ(nullptr, ToolMessageBox(tool)) << "no command, no question";
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("x\r\n", File("ListInfo.dat"));
}

// Tab goes through the entry row and the buttons to the list-name box and then the item box,
// round to the text box; Shift+Tab goes back the same way.
TEST_F(ToolKeys, TabReachesBothBoxesAfterTheButtonsAndShiftTabComesBack) {
  std::vector<HWND> forward;
  for (int i = 0; i < 16 && (forward.empty() || forward.back() != Control(kTextBox)); ++i) {
    const HWND before = FocusOfThread(tool);
    PressKeys({}, VK_TAB);
    PumpUntil([&] { return FocusOfThread(tool) != before; });
    forward.push_back(FocusOfThread(tool));
  }
  std::string order;
  for (HWND window : forward) order += std::to_string(GetDlgCtrlID(window)) + " ";
  SCOPED_TRACE("Tab order: " + order);
  ASSERT_EQ(forward.back(), Control(kTextBox)) << "Tab comes round to the text box";
  std::size_t list = 0;
  while (list < forward.size() && forward[list] != listBox) ++list;
  ASSERT_LT(list + 1, forward.size()) << "the list-name box is reached";
  EXPECT_EQ(forward[list + 1], itemBox) << "the item box right after it";
  ASSERT_GT(list, 0u);
  EXPECT_EQ(forward[list - 1], Control(kClear)) << "after the last button";
  const HWND before = FocusOfThread(tool);
  PressKeys({VK_SHIFT}, VK_TAB);
  PumpUntil([&] { return FocusOfThread(tool) != before; });
  EXPECT_EQ(FocusOfThread(tool), forward[forward.size() - 2]);
}

}  // namespace
}  // namespace todo_test
