// Working with lists and items through the real window: typing into the real text box, the
// real date picker and buttons, the real message boxes answered by finding them, and the
// files on disk checked byte for byte.

#include <string>

#include "support/run_host.h"
#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

class ToolCommands : public ToolWindowTest {
 protected:
  void SetUp() override { Open(); }
};

// The road of one item: a list made, an item typed, dated and added, another list selected,
// the record line in the list's file, and the host's search finding it.
TEST_F(ToolCommands, ItemTypedDatedAndAddedReachesItsListsFile) {
  Type("仕事");
  Press(kAdd);
  EXPECT_EQ("", File("仕事.lst"));
  EXPECT_EQ(0, GetWindowTextLengthA(Control(kTextBox))) << "emptied after the add";
  Press(kNoDateBox);
  Type("買い物");
  Press(kAddAtBottom);
  EXPECT_EQ("NO_DATE\r\n", File("買い物.lst"));
  // Back to the first list, then the item.
  SelectList(0);
  ItemMode();
  Type("電話する");
  PickDate(2026, 12, 24);
  Press(kAdd);
  Type("メール");
  PickDate(2027, 1, 5);
  Press(kAddAtBottom);
  SelectList(1);  // another list: the first one is written
  EXPECT_EQ("0,2026,12,24,電話する\r\n0,2027,1,5,メール\r\n", File("仕事.lst"));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("仕事\r\n買い物\r\n", File("ListInfo.dat"));
  EXPECT_EQ("NO_DATE\r\n", File("買い物.lst"));
  HostRun search = RunHost("--data \"" + host.dataFolder() + "\" search --raw 電話");
  EXPECT_EQ(0u, search.exitCode);
  EXPECT_EQ("[仕事] (未) 期限：2026/12/24 電話する\n", search.out);
}

TEST_F(ToolCommands, RefusalsShowTheirMessagesAndKeepTheText) {
  // Item mode with no list to add to.
  ItemMode();
  Type("item");
  EXPECT_EQ(kNoListSelected, PressAndAnswer(kAdd, IDOK));
  ListMode();
  EXPECT_EQ(kEnterListName, PressAndAnswer(kAdd, IDOK));
  Type("a/b");
  EXPECT_EQ(kBadListName, PressAndAnswer(kAdd, IDOK));
  Type("list");
  Press(kAdd);
  Type("list");
  EXPECT_EQ(kListExists, PressAndAnswer(kAddAtBottom, IDOK));
  EXPECT_EQ("list", WindowText(Control(kTextBox)));
}

TEST_F(ToolCommands, DeleteAsksFirstAndRemovesTheListsFileAtOnce) {
  Type("keep");
  Press(kAdd);
  Type("gone");
  Press(kAdd);  // "gone" on top, selected
  EXPECT_EQ(kDeleteList, PressAndAnswer(kDelete, IDNO));
  EXPECT_EQ("", File("gone.lst")) << "No changes nothing";
  EXPECT_EQ(kDeleteList, PressAndAnswer(kDelete, IDYES));
  EXPECT_EQ("<missing>", File("gone.lst"));
  // No list stays selected: a save from the host writes nothing.
  EXPECT_EQ(0, host.tool()->SaveState());
  Press(kMoveUp);  // nothing selected: nothing moves
  EXPECT_EQ(kClearLists, PressAndAnswer(kClear, IDYES));
  EXPECT_EQ("<missing>", File("keep.lst"));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("", File("ListInfo.dat"));
}

}  // namespace
}  // namespace todo_test
