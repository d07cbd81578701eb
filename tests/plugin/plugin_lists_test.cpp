// The tool window with its list boxes and files, driven as a host and a user would: the real
// module, real clicks, the files on disk checked byte for byte.

#include <string>

#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

class ToolLists : public ToolWindowTest {
 protected:
  void SetUp() override {
    WriteListFolder({{"ListInfo.dat", "work\r\nhome\r\n"},
                     {"work.lst", "0,2026,12,8,call\r\n1,2026,12,9,mail\r\n"},
                     {"home.lst", "NO_DATE\r\n0,2027,1,2,cook\r\n"}});
    Open();
  }
};

TEST_F(ToolLists, SelectedListIsLoadedAndAFileChangedOutsideIsNeverWrittenOver) {
  const std::string emptyCount = ItemCountPixels(tool);
  EXPECT_NE(emptyCount.find('#'), std::string::npos) << "the count line is drawn";
  SelectList(0);  // "work"
  EXPECT_NE(ItemCountPixels(tool), emptyCount) << "the count line shows the new count";
  // The host saves from its own thread. Nothing changed in the window, so nothing is written,
  // and what another program wrote meanwhile stays.
  const std::string outside = "0,2026,12,8,call\r\n1,2026,12,9,mail\r\n0,2026,12,9,outside\r\n";
  WriteFile(ListFile("work"), outside);
  EXPECT_EQ(1, host.tool()->SaveState());
  EXPECT_EQ(outside, File("work.lst"));
  // Leaving it for "home" writes nothing either, and loads the no-date list.
  SelectList(1);
  EXPECT_EQ(outside, File("work.lst"));
  // A name added to the order file outside is kept, before the lists the window shows.
  WriteFile(OrderFile(), "added\r\n");
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("NO_DATE\r\n0,2027,1,2,cook\r\n", File("home.lst"));
  EXPECT_EQ("added\r\nwork\r\nhome\r\n", File("ListInfo.dat"));
}

TEST_F(ToolLists, ModeButtonsAndBoxesSwitchTheEntryRow) {
  // List mode after the set-up; the no-date box starts enabled and clear.
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(Control(kListModeButton), BM_GETCHECK, 0, 0));
  ::SetWindowTextA(Control(kTextBox), "typed");
  ItemMode();
  EXPECT_TRUE(IsWindowEnabled(Control(kDatePicker)));
  EXPECT_FALSE(IsWindowEnabled(Control(kNoDateBox)));
  EXPECT_EQ(0, GetWindowTextLengthA(Control(kTextBox)));
  ListMode();
  EXPECT_FALSE(IsWindowEnabled(Control(kDatePicker)));
  EXPECT_TRUE(IsWindowEnabled(Control(kNoDateBox)));
  // With the no-date list selected, a click into the item box is item mode without dates.
  SelectList(1);
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0));
  Click(itemBox, 100, 200);
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(Control(kItemModeButton), BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(Control(kListModeButton), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(Control(kDatePicker)));
  EXPECT_EQ(BST_CHECKED, ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(Control(kNoDateBox)));
}

class ToolListsFirstRun : public ToolWindowTest {};

TEST_F(ToolListsFirstRun, ClosingWithoutListsWritesAnEmptyOrderFile) {
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(0, host.tool()->SaveState()) << "no list is selected";
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("", File("ListInfo.dat"));
}

}  // namespace
}  // namespace todo_test
