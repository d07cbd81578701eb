// Moving, deleting and clearing lists and items.

#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "support/tool_facts.h"

namespace {

using todo::DialogControl;
using todo::MessageAnswer;
using todo::MessageButtons;
using todo::MessageIcon;

const char kListA[] = "0,2026,12,7,a0\r\n1,2026,12,9,a1\r\n0,2026,12,9,a2\r\n";
const char kListB[] = "NO_DATE\r\n0,2026,1,1,b0\r\n";
const char kListC[] = "0,2026,12,8,c0\r\n";

class Commands : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", kListA}, {"b", kListB}, {"c", kListC}});
    Write(ListFile("orphan"), "0,2026,1,1,someone else's\r\n");
  }
  // List a shown and item mode on, with item `row` selected (-1: none).
  void ShowListA(int row) {
    nameFront()->Click(0);
    if (row >= 0) {
      itemFront()->Click(row);
    } else {
      window.CheckMode(false);
    }
  }
  void Run(void (todo::ToDoDialog::*command)()) { (dialog.*command)(); }
};

// The moved item keeps its check, text and date, stays selected and is coloured again.
TEST_F(Commands, ItemMovesAtEitherEndChangeNothingAndInsideKeepTheWholeItem) {
  struct Case {
    int selected;
    bool up;
    const char* order;
    int selectedAfter;
  };
  const Case cases[] = {
      {0, true, "a0;a1;a2;", 0},    {2, false, "a0;a1;a2;", 2}, {-1, true, "a0;a1;a2;", -1},
      {-1, false, "a0;a1;a2;", -1}, {1, false, "a0;a2;a1;", 2}, {1, true, "a1;a0;a2;", 0},
      {2, true, "a0;a2;a1;", 1},    {0, false, "a1;a0;a2;", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.selected) + (c.up ? " up" : " down"));
    ShowListA(c.selected);
    const std::string moved = c.selected >= 0 ? items()->GetItemText(c.selected) : "";
    const int check = items()->GetItemCheck(c.selected);
    const DWORD due = items()->GetItemData(c.selected);
    Run(c.up ? &todo::ToDoDialog::OnMoveUp : &todo::ToDoDialog::OnMoveDown);
    EXPECT_EQ(ItemTexts(), c.order);
    EXPECT_EQ(items()->GetCurSel(), c.selectedAfter);
    if (c.selectedAfter >= 0 && std::string(c.order) != "a0;a1;a2;") {
      EXPECT_EQ(items()->GetItemText(c.selectedAfter), moved);
      EXPECT_EQ(items()->GetItemCheck(c.selectedAfter), check);
      EXPECT_EQ(items()->GetItemData(c.selectedAfter), due);
      // Re-created rows start black: a0 is overdue and a1 done, so both show a missed colouring.
      EXPECT_EQ(itemFront()->RowColour(c.selectedAfter), check != 0      ? todo::kColourDone
                                                         : moved == "a0" ? todo::kColourOverdue
                                                                         : todo::kColourDueLater);
    }
    EXPECT_EQ(Read(ListFile("a")), kListA);
    // Leave without saving, so the next case starts from the file again.
    names()->SetCurSel(-1);
    items()->ResetContent();
  }
}

// The boxes raise no events for the program's changes, so a move must neither save the item
// box into the neighbour's file nor load another list into it.
TEST_F(Commands, ListMovesChangeNoFileAndKeepShowingTheSelectedList) {
  nameFront()->Click(1);  // b
  items()->AddItem(0, "unsaved", 0);
  const std::string folderBefore = ListFolderState();
  const std::string itemsBefore = ItemTexts();
  window.CheckMode(true);
  struct Step {
    bool up;
    const char* names;
    int selected;
  };
  const Step steps[] = {{true, "b;a;c;", 0},
                        {true, "b;a;c;", 0},
                        {false, "a;b;c;", 1},
                        {false, "a;c;b;", 2},
                        {false, "a;c;b;", 2}};
  for (const Step& step : steps) {
    step.up ? dialog.OnMoveUp() : dialog.OnMoveDown();
    EXPECT_EQ(ListNames(), step.names);
    EXPECT_EQ(names()->GetCurSel(), step.selected);
    EXPECT_EQ(ItemTexts(), itemsBefore);
    EXPECT_EQ(ListFolderState(), folderBefore);
  }
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n0,2026,1,1,b0\r\n0,0,0,0,unsaved\r\n");
  EXPECT_EQ(Read(ListFile("c")), kListC);
  EXPECT_EQ(Read(OrderFile()), "a\r\nc\r\nb\r\n") << "written with the list's save";
}

// A name cut short would no longer name its list's file; a text cut short would lose its end at
// the next save.
TEST_F(Commands, LongNamesAndTextsMoveWhole) {
  const std::string longName(300, 'n');
  names()->AddItem(nullptr, longName.c_str(), 0);
  names()->SetCurSel(3);
  dialog.OnMoveUp();
  EXPECT_EQ(std::string(names()->GetItemText(2)), longName);
  const std::string longText(300, 't');
  items()->AddItem(0, "short", 0);
  items()->AddItem(0, longText.c_str(), 0);
  items()->SetCurSel(1);
  window.CheckMode(false);
  dialog.OnMoveUp();
  EXPECT_EQ(std::string(items()->GetItemText(0)), longText);
}

TEST_F(Commands, DeletedItemIsFollowedByItsNeighbourOrTheNewLastOrNothing) {
  struct Case {
    int selected;
    const char* left;
    int selectedAfter;
  };
  const Case cases[] = {{1, "a0;a2;", 1}, {2, "a0;a1;", 1}, {0, "a1;a2;", 0}};
  for (const Case& c : cases) {
    ShowListA(c.selected);
    window.answers = {MessageAnswer::Yes};
    int invalidations = window.itemCountInvalidations;
    dialog.OnDelete();
    EXPECT_EQ(ItemTexts(), c.left);
    EXPECT_EQ(items()->GetCurSel(), c.selectedAfter);
    EXPECT_GT(window.itemCountInvalidations, invalidations);
    EXPECT_EQ(Read(ListFile("a")), kListA) << "written only at the next save";
    window.CheckMode(true);
    items()->ResetContent();
    names()->SetCurSel(-1);
  }
  // The only item.
  nameFront()->Click(2);
  itemFront()->Click(0);
  window.answers = {MessageAnswer::Yes};
  dialog.OnDelete();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_EQ(items()->GetCurSel(), -1);
}

// The item box must never hold the deleted list's items while another list is selected, or
// the next save would write them into that list's file.
TEST_F(Commands, DeletedListTakesItsFileAndLeavesNoListSelected) {
  for (int row : {1, 1, 0}) {  // b in the middle, then c, the last, then a, the only one
    nameFront()->Click(row);
    const std::string name = names()->GetItemText(row);
    window.answers = {MessageAnswer::Yes};
    int invalidations = window.itemCountInvalidations;
    dialog.OnDelete();
    SCOPED_TRACE(name);
    EXPECT_FALSE(Exists(ListFile(name)));
    EXPECT_EQ(names()->GetCurSel(), -1);
    EXPECT_EQ(items()->GetCount(), 0);
    EXPECT_GT(window.itemCountInvalidations, invalidations);
    EXPECT_EQ(dialog.SaveCurrentList(), 0);
  }
  EXPECT_EQ(names()->GetCount(), 0);
  EXPECT_EQ(ListFolderState(), "ListInfo.dat=|orphan.lst=0,2026,1,1,someone else's\r\n|");
}

TEST_F(Commands, ListWhoseFileIsMissingIsDeletedAllTheSame) {
  m_files->Delete(ListFile("b"));
  nameFront()->Click(1);
  window.answers = {MessageAnswer::Yes};
  dialog.OnDelete();
  EXPECT_EQ(ListNames(), "a;c;");
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(Commands, ClearingListsNeedsNoSelectionAndDeletesEveryListFile) {
  window.answers = {MessageAnswer::Yes};
  dialog.OnClear();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(names()->GetCount(), 0);
  EXPECT_EQ(ListFolderState(),
            "ListInfo.dat=a\r\nb\r\nc\r\n|orphan.lst=0,2026,1,1,someone else's\r\n|");
  // With a list shown, its items go too and are not saved anywhere.
  m_files->Delete(OrderFile());
  MakeListFiles({{"x", "0,2026,1,1,x0\r\n"}});
  nameFront()->Click(0);
  window.answers = {MessageAnswer::Yes};
  dialog.OnClear();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_FALSE(Exists(ListFile("x")));
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
}

TEST_F(Commands, ClearedItemsReachTheFileAtTheNextSaveKeepingTheMarker) {
  nameFront()->Click(1);
  window.CheckMode(false);
  window.answers = {MessageAnswer::Yes};
  dialog.OnClear();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_EQ(Read(ListFile("b")), kListB);
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n");
}

// Each question, and that No to it changes no box and no file.
TEST_F(Commands, AnsweringNoToAnyQuestionChangesNothing) {
  struct Case {
    bool listMode;
    void (todo::ToDoDialog::*command)();
    const char* question;
    MessageIcon icon;
  };
  const Case cases[] = {
      {true, &todo::ToDoDialog::OnDelete, todo_test::tool::kDeleteList, MessageIcon::Question},
      {false, &todo::ToDoDialog::OnDelete, todo_test::tool::kDeleteItem, MessageIcon::Question},
      {true, &todo::ToDoDialog::OnClear, todo_test::tool::kClearLists, MessageIcon::Exclamation},
      {false, &todo::ToDoDialog::OnClear, todo_test::tool::kClearItems, MessageIcon::Question},
  };
  ShowListA(1);
  const std::string boxesBefore = BoxState();
  const std::string folderBefore = ListFolderState();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    window.messages.clear();
    window.CheckMode(c.listMode);
    window.answers = {MessageAnswer::No};
    int invalidations = window.itemCountInvalidations;
    Run(c.command);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, c.question);
    EXPECT_EQ(window.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(window.messages[0].icon, c.icon);
    EXPECT_EQ(window.messages[0].busyWhileOpen, 1);
    EXPECT_EQ(BoxState(), boxesBefore);
    EXPECT_EQ(ListFolderState(), folderBefore);
    EXPECT_EQ(window.itemCountInvalidations, invalidations);
  }
  EXPECT_EQ(busy.load(), 0);
}

TEST_F(Commands, NothingToActOnAsksNothingAndChangesNothing) {
  auto tryCommands = [&](bool listMode, bool clearToo) {
    SCOPED_TRACE(listMode ? "list mode" : "item mode");
    window.CheckMode(listMode);
    const std::string boxesBefore = BoxState();
    dialog.OnMoveUp();
    dialog.OnMoveDown();
    dialog.OnDelete();
    if (clearToo) dialog.OnClear();
    EXPECT_EQ(BoxState(), boxesBefore);
  };
  tryCommands(true, false);  // lists, none selected
  ShowListA(-1);
  tryCommands(false, false);  // items, none selected
  names()->ResetContent();
  items()->ResetContent();
  tryCommands(true, true);  // both boxes empty
  tryCommands(false, true);
  EXPECT_TRUE(window.messages.empty());
}

}  // namespace
