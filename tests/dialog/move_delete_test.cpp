// Moving, deleting and clearing lists and items.

#include "dialog_fixture.h"

namespace todo_test {
namespace {

using todo::ToDoDialog;

const char kBytesA[] = "0,2026,12,7,a0\r\n1,2026,12,9,a1\r\n0,2026,12,9,a2\r\n";
const char kBytesB[] = "NO_DATE\r\n0,2026,1,1,b0\r\n";
const char kBytesC[] = "0,2026,12,8,c0\r\n";
const char kOrphan[] = "orphan.lst=0,2026,1,1,someone else's\r\n|";

class Commands : public DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", kBytesA}, {"b", kBytesB}, {"c", kBytesC}});
    Write(ListFile("orphan"), "0,2026,1,1,someone else's\r\n");
  }
  // List a shown and item mode on, with item `row` selected (-1: none).
  void ShowListA(int row) {
    nameFront()->Click(0);
    row >= 0 ? itemFront()->Click(row) : window.CheckMode(false);
  }
  // Leaves list a without saving it, so that the next case starts from its file again.
  void LeaveUnsaved() {
    window.CheckMode(true);
    window.answers.clear();
    names()->SetCurSel(-1);
    items()->ResetContent();
  }
};

// The moved item keeps its check, text and date, stays selected and is coloured again; at
// either end, or with none selected, nothing moves. A delete selects the item after the
// deleted one, or the new last. No file changes before the next save.
TEST_F(Commands, ItemMovesAndDeletesKeepTheWholeItemAndTheSelectionInTheBox) {
  struct Case {
    int selected;
    void (ToDoDialog::*command)();
    const char* order;
    int selectedAfter;
  };
  const Case cases[] = {
      {0, &ToDoDialog::OnMoveUp, "a0;a1;a2;", 0},   {2, &ToDoDialog::OnMoveDown, "a0;a1;a2;", 2},
      {-1, &ToDoDialog::OnMoveUp, "a0;a1;a2;", -1}, {-1, &ToDoDialog::OnMoveDown, "a0;a1;a2;", -1},
      {1, &ToDoDialog::OnMoveDown, "a0;a2;a1;", 2}, {1, &ToDoDialog::OnMoveUp, "a1;a0;a2;", 0},
      {2, &ToDoDialog::OnMoveUp, "a0;a2;a1;", 1},   {0, &ToDoDialog::OnMoveDown, "a1;a0;a2;", 1},
      {1, &ToDoDialog::OnDelete, "a0;a2;", 1},      {2, &ToDoDialog::OnDelete, "a0;a1;", 1},
      {0, &ToDoDialog::OnDelete, "a1;a2;", 0},
  };
  for (const Case& c : cases) {
    const bool move = c.command != &ToDoDialog::OnDelete;
    SCOPED_TRACE(std::to_string(c.selected) + (c.command == &ToDoDialog::OnMoveUp     ? " up"
                                               : c.command == &ToDoDialog::OnMoveDown ? " down"
                                                                                      : " delete"));
    ShowListA(c.selected);
    const std::string moved = c.selected >= 0 ? items()->GetItemText(c.selected) : "";
    const int check = items()->GetItemCheck(c.selected);
    const DWORD due = items()->GetItemData(c.selected);
    const int invalidations = window.itemCountInvalidations;
    Answering(MessageAnswer::Yes, c.command);
    EXPECT_EQ(ItemTexts(), c.order);
    EXPECT_EQ(items()->GetCurSel(), c.selectedAfter);
    if (!move) {
      EXPECT_GT(window.itemCountInvalidations, invalidations);
    }
    if (move && c.selectedAfter >= 0 && std::string(c.order) != "a0;a1;a2;") {
      EXPECT_EQ(items()->GetItemText(c.selectedAfter), moved);
      EXPECT_EQ(items()->GetItemCheck(c.selectedAfter), check);
      EXPECT_EQ(items()->GetItemData(c.selectedAfter), due);
      // Re-created rows start black: a0 is overdue and a1 done, so both show a missed colouring.
      EXPECT_EQ(itemFront()->RowColour(c.selectedAfter), check != 0      ? todo::kColourDone
                                                         : moved == "a0" ? todo::kColourOverdue
                                                                         : todo::kColourDueLater);
    }
    EXPECT_EQ(Read(ListFile("a")), kBytesA) << "written only at the next save";
    LeaveUnsaved();
  }
  // The only item.
  nameFront()->Click(2);
  itemFront()->Click(0);
  Delete();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_EQ(items()->GetCurSel(), -1);
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
  EXPECT_EQ(Read(ListFile("c")), kBytesC);
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

// The item box must never hold the deleted list's items while another list is selected, or
// the next save would write them into that list's file.
TEST_F(Commands, DeletedListTakesItsFileAndLeavesNoListSelected) {
  for (int row : {1, 1, 0}) {  // b in the middle, then c, the last, then a, the only one
    nameFront()->Click(row);
    const std::string name = names()->GetItemText(row);
    SCOPED_TRACE(name);
    const int invalidations = window.itemCountInvalidations;
    Delete();
    EXPECT_EQ(TakeTexts(), Texts{kDeleteList});
    EXPECT_FALSE(Exists(ListFile(name)));
    EXPECT_EQ(names()->GetCurSel(), -1);
    EXPECT_EQ(items()->GetCount(), 0);
    EXPECT_GT(window.itemCountInvalidations, invalidations);
    EXPECT_EQ(dialog.SaveCurrentList(), 0);
  }
  EXPECT_EQ(names()->GetCount(), 0);
  EXPECT_EQ(ListFolderState(), std::string("ListInfo.dat=|") + kOrphan);
}

TEST_F(Commands, ListWhoseFileIsMissingIsDeletedAllTheSame) {
  m_files->Delete(ListFile("b"));
  nameFront()->Click(1);
  Delete();
  EXPECT_EQ(ListNames(), "a;c;");
  EXPECT_EQ(TakeTexts(), Texts{kDeleteList});
}

// Clearing lists needs no selection; with a list shown, its items go too and are saved nowhere.
TEST_F(Commands, ClearingListsDeletesEveryListFile) {
  for (bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "a list shown" : "none shown");
    if (shown) nameFront()->Click(0);
    Clear();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(TakeMessages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(names()->GetCount(), 0);
    EXPECT_EQ(items()->GetCount(), 0);
    EXPECT_EQ(ListFolderState(), "ListInfo.dat=a\r\nb\r\nc\r\n|" + std::string(kOrphan));
    EXPECT_EQ(dialog.SaveCurrentList(), 0);
    m_files->Delete(OrderFile());
    MakeListFiles({{"a", kBytesA}, {"b", kBytesB}, {"c", kBytesC}});
  }
}

TEST_F(Commands, ClearedItemsReachTheFileAtTheNextSaveKeepingTheMarker) {
  nameFront()->Click(1);
  window.CheckMode(false);
  Clear();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_EQ(Read(ListFile("b")), kBytesB);
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n");
}

// Each question, and that No to it changes no box and no file.
TEST_F(Commands, AnsweringNoToAnyQuestionChangesNothing) {
  struct Case {
    bool listMode;
    void (ToDoDialog::*command)();
    const char* question;
    MessageIcon icon;
  };
  const Case cases[] = {
      {true, &ToDoDialog::OnDelete, kDeleteList, MessageIcon::Question},
      {false, &ToDoDialog::OnDelete, kDeleteItem, MessageIcon::Question},
      {true, &ToDoDialog::OnClear, kClearLists, MessageIcon::Exclamation},
      {false, &ToDoDialog::OnClear, kClearItems, MessageIcon::Question},
  };
  ShowListA(1);
  const std::string boxesBefore = BoxState();
  const std::string folderBefore = ListFolderState();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    window.CheckMode(c.listMode);
    const int invalidations = window.itemCountInvalidations;
    Answering(MessageAnswer::No, c.command);
    EXPECT_EQ(TakeMessages(), Messages{Asked(c.question, c.icon)});
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
}  // namespace todo_test
