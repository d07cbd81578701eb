// Lists and items between the boxes and their files.

#include "dialog_fixture.h"

namespace todo_test {
namespace {

class ListLoading : public DialogTest {
 protected:
  // Lists a, b and c in the box, with the given files.
  void MakeLists(const std::string& a, const std::string& b = "", const std::string& c = "") {
    MakeListFiles({{"a", a}, {"b", b}, {"c", c}});
  }
};

TEST_F(ListLoading, FirstRunOpensWithNoListsAndLeavesAnEmptyOrderFile) {
  dialog.LoadListNames();
  EXPECT_EQ(names()->GetCount(), 0);
  dialog.SaveListNames();
  EXPECT_EQ(Read(OrderFile()), "");
}

// Names are read whole: a long name is one list, a last line without a line end keeps its
// last character, and the order is the file's.
TEST_F(ListLoading, OrderFileGivesEveryNameWholeAndInOrder) {
  const std::string longName(300, 'n');
  const std::string order =
      "zeta\nalpha\r\n\r\n" + longName + "\r\n\x83\x8A\x83\x58\x83\x67\r\nlast";
  Write(OrderFile(), order);
  dialog.LoadListNames();
  EXPECT_EQ(ListNames(), "zeta;alpha;" + longName + ";\x83\x8A\x83\x58\x83\x67;last;");
  EXPECT_EQ(names()->GetCurSel(), -1);
  dialog.SaveListNames();
  EXPECT_EQ(Read(OrderFile()), order) << "nothing changed in the window: the file keeps its bytes";
}

// The loaded list's kind sets the text column, the no-date flag and, in list mode, the no-date
// box, in item mode the date picker; its items are coloured by their dates.
TEST_F(ListLoading, KindOfTheLoadedListSetsColumnFlagEntryRowAndColours) {
  struct Case {
    const char* file;
    bool listMode;
    int loaded;
    int noDate;
    int textWidth;
    const char* items;
    std::vector<COLORREF> colours;
  };
  const Case cases[] = {
      {"", true, 0, 0, 320, "", {}},
      {"", false, 0, 0, 320, "", {}},
      {"NO_DATE\r\n", true, 1, 1, 65535, "", {}},
      {"NO_DATE\n", false, 1, 1, 65535, "", {}},
      {"NO_DATE\r\n0,2026,12,8,x\r\n", false, 1, 1, 65535, "x;", {todo::kColourNoDate}},
      {"0,2026,12,8,x\r\nNO_DATE\r\n", true, 1, 0, 320, "x;NO_DATE;", {}},
      {"1,2026,12,8,done\r\n0,2026,12,9,open", true, 1, 0, 320, "done;open;", {}},
      {"NO_DATE\r\n0,2026,1,1,x\r\n", true, 1, 1, 65535, "x;", {todo::kColourNoDate}},
      {"0,2026,12,7,late\r\n0,2026,12,8,today\r\n1,2026,12,7,done\r\n",
       true,
       1,
       0,
       320,
       "late;today;done;",
       {todo::kColourOverdue, todo::kColourDueToday, todo::kColourDone}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    MakeLists(c.file);
    window.CheckMode(c.listMode);
    // The opposite of what the load should leave.
    window.checked[DialogControl::NoDateBox] = c.noDate == 0;
    window.enabled[DialogControl::DatePicker] = c.noDate != 0;
    window.enabled[DialogControl::NoDateBox] = true;
    items()->ResetContent();
    names()->SetCurSel(0);
    EXPECT_EQ(dialog.LoadCurrentList(), c.loaded);
    EXPECT_EQ(dialog.NoDate(), c.noDate != 0);
    EXPECT_EQ(itemFront()->ColumnWidth(QUARN_COLUMN_TEXT), c.textWidth);
    EXPECT_EQ(ItemTexts(), c.items);
    for (std::size_t row = 0; row < c.colours.size(); ++row) {
      EXPECT_EQ(itemFront()->RowColour(static_cast<int>(row)), c.colours[row]) << "row " << row;
    }
    if (c.listMode) {
      EXPECT_EQ(window.checked[DialogControl::NoDateBox], c.noDate == 1);
      EXPECT_EQ(window.enabled[DialogControl::DatePicker], c.noDate != 0) << "left alone";
    } else {
      EXPECT_EQ(window.enabled[DialogControl::DatePicker], c.noDate == 0);
      EXPECT_EQ(window.checked[DialogControl::NoDateBox], c.noDate == 0) << "left alone";
    }
    EXPECT_TRUE(window.enabled[DialogControl::NoDateBox]);
    for (const char* name : {"a", "b", "c"}) m_files->Delete(ListFile(name));
    m_files->Delete(OrderFile());
  }
}

// A click into the item box switches to item mode, without dates for a no-date list; a click
// into the list-name box back to list mode, emptying the text box each time.
TEST_F(ListLoading, ItemModeOfANoDateListKeepsThePickerOffAndTheBoxCheckedAndDisabled) {
  MakeLists("NO_DATE\r\n");
  nameFront()->Click(0);
  itemFront()->Click(-1);
  EXPECT_FALSE(window.checked[DialogControl::ListModeButton]);
  EXPECT_TRUE(window.checked[DialogControl::ItemModeButton]);
  EXPECT_FALSE(window.enabled[DialogControl::DatePicker]);
  EXPECT_TRUE(window.checked[DialogControl::NoDateBox]);
  EXPECT_FALSE(window.enabled[DialogControl::NoDateBox]);
  window.text = "typed";
  nameFront()->Click(-1);
  EXPECT_TRUE(window.checked[DialogControl::ListModeButton]);
  EXPECT_FALSE(window.enabled[DialogControl::DatePicker]);
  EXPECT_TRUE(window.enabled[DialogControl::NoDateBox]);
  EXPECT_FALSE(window.checked[DialogControl::NoDateBox]);
  EXPECT_EQ(window.text, "");
}

TEST_F(ListLoading, SelectingAnotherListSavesTheOneLeftThenShowsTheNewOne) {
  MakeLists("0,2026,12,8,a1\r\n", "NO_DATE\r\n1,2026,1,2,b1\r\n");
  nameFront()->Click(0);
  EXPECT_EQ(ItemTexts(), "a1;");
  items()->AddItem(1, "added", Packed(2027, 3, 4));
  const int invalidations = window.itemCountInvalidations;
  nameFront()->Click(1);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n1,2027,3,4,added\r\n");
  EXPECT_EQ(ItemTexts(), "b1;");
  EXPECT_TRUE(dialog.NoDate());
  EXPECT_GT(window.itemCountInvalidations, invalidations);
  // Back by keyboard: the no-date list is written with its marker.
  nameFront()->PressKey(quarn::Key::Up);
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n1,2026,1,2,b1\r\n");
  EXPECT_EQ(ItemTexts(), "a1;added;");
}

TEST_F(ListLoading, SavesWriteOnlyTheSelectedListAndNothingWithoutOne) {
  MakeLists("0,2026,12,8,a1\r\n", "NO_DATE\r\n", "keep\r\n");
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  nameFront()->Click(1);
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n");
  nameFront()->Click(0);
  items()->ResetContent();
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("a")), "");
  EXPECT_EQ(Read(ListFile("c")), "keep\r\n");
}

// A list whose file went missing must not inherit the no-date flag of the list before it,
// or saving it would turn it into a no-date list.
TEST_F(ListLoading, MissingFileLoadsAsAnEmptyDatedList) {
  MakeLists("NO_DATE\r\n");
  m_files->Delete(ListFile("b"));
  nameFront()->Click(0);
  EXPECT_TRUE(dialog.NoDate());
  nameFront()->Click(1);
  EXPECT_FALSE(dialog.NoDate());
  EXPECT_EQ(itemFront()->ColumnWidth(QUARN_COLUMN_TEXT), 320);
  items()->AddItem(0, "new", Packed(2026, 12, 9));
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("b")), "0,2026,12,9,new\r\n");
}

// A file that exists but could not be read shows no items; saving that empty box over it
// would destroy every item it holds.
TEST_F(ListLoading, UnreadableListIsNeverOverwrittenWithAnEmptyBox) {
  MakeLists("0,2026,12,8,precious\r\n");
  faults.FailAt(1, Mode::kOnce);
  nameFront()->Click(0);
  faults.Heal();
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  nameFront()->Click(1);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,precious\r\n");
  // Read again later, it is saved as usual.
  nameFront()->Click(0);
  EXPECT_EQ(ItemTexts(), "precious;");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
}

// A save that fails is reported and leaves the old file; items that could not be written stay
// in the box, and their list stays selected, not thrown away with the list.
TEST_F(ListLoading, FailedSaveIsReportedAndLeavingTheListKeepsItSelectedWithItsItems) {
  MakeLists("0,2026,12,8,a1\r\n");
  nameFront()->Click(0);
  items()->AddItem(0, "unsaved", 0);
  faults.FailAt(1, Mode::kFromThenOn);
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
  nameFront()->Click(1);
  faults.Heal();
  EXPECT_EQ(names()->GetCurSel(), 0);
  EXPECT_EQ(ItemTexts(), "a1;unsaved;");
  nameFront()->Click(1);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n0,0,0,0,unsaved\r\n");
}

// Leaving a list writes it back; a list that was only looked at used to come back with every
// line rewritten in the program's own form.
TEST_F(ListLoading, ListThatWasOnlyLookedAtKeepsItsBytes) {
  const std::string odd =
      " 01,2026,01,05,leading blank and zeros\r\n"
      "no comma takes the fields before\r\n"
      ",,1,,2026,,2,,3,,runs of commas\r\n"
      "1,2\r\n"
      "\r\n"
      "0,99999,77,88,too large\r\n"
      "+0,-1,2,3,signed\r\n"
      "0,2026,1,1,lone\rcarriage return\r\n"
      "NO_DATE\r\n";
  MakeLists(odd, "0,2026,1,1,b\n");
  nameFront()->Click(0);
  nameFront()->Click(1);
  nameFront()->Click(0);
  EXPECT_EQ(Read(ListFile("a")), odd);
  EXPECT_EQ(Read(ListFile("b")), "0,2026,1,1,b\n") << "nothing changed, nothing written";
  // An item ticked changes its own line only, also after a save and another look.
  Tick(0);
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  std::string ticked = odd;
  ticked.replace(0, std::string(" 01,2026,01,05,").size(), "0,2026,1,5,");
  // The line after it took its fields from it, so it gets them written out.
  ticked.insert(ticked.find("no comma"), "1,2026,1,5,");
  EXPECT_EQ(Read(ListFile("a")), ticked);
}

// A list saved as it was read is written from what was read; a change of any one field of
// one item must still reach the file, and what was saved is what the next save compares with.
TEST_F(ListLoading, EachChangeToAListOnlyLookedAtIsSaved) {
  MakeLists("0,2026,1,1,one\r\n0,2026,1,2,two\r\n");
  nameFront()->Click(0);
  auto expectSaved = [&](const std::string& bytes) {
    EXPECT_EQ(dialog.SaveCurrentList(), 1);
    EXPECT_EQ(Read(ListFile("a")), bytes);
  };
  expectSaved("0,2026,1,1,one\r\n0,2026,1,2,two\r\n");
  Tick(1);
  expectSaved("0,2026,1,1,one\r\n1,2026,1,2,two\r\n");
  itemFront()->Click(0);
  // A press on the selected row's text edits it; a text that only grows or shrinks at its end
  // is a change too.
  for (const char* text : {"ONE", "ONE more", "ON", "ONE"}) {
    SCOPED_TRACE(text);
    itemFront()->Click(0);
    ASSERT_TRUE(itemFront()->EditorOpen());
    itemFront()->TypeText(text);
    itemFront()->PressEnter();
    expectSaved(std::string("0,2026,1,1,") + text + "\r\n1,2026,1,2,two\r\n");
  }
  itemFront()->Click(0, QUARN_COLUMN_DATE);
  itemFront()->PickDate(Packed(2026, 1, 9));  // only the day changes
  itemFront()->PressEnter();
  expectSaved("0,2026,1,9,ONE\r\n1,2026,1,2,two\r\n");

  // A file another program wrote since is never written over: unchanged in the window, the
  // list shows what the file holds now.
  ASSERT_TRUE(m_files->Delete(ListFile("a")));
  Write(ListFile("a"), "0,2026,1,1,theirs\r\n");
  expectSaved("0,2026,1,1,theirs\r\n");
  EXPECT_EQ(ItemTexts(), "theirs;");
}

// When the window is gone, the list is saved unless the close saved it already (after which
// the user may have chosen to lose a change that could not be written), then the names.
class WindowGone : public ListLoading, public testing::WithParamInterface<bool> {};

TEST_P(WindowGone, ListIsSavedUnlessTheCloseDidThenTheNames) {
  // List a ticked but not saved, then renamed (which its order file does not know yet).
  MakeLists("0,2026,1,1,one\r\n");
  nameFront()->Click(0);
  Tick(0);
  nameFront()->Click(0);
  Rename(0, "renamed");
  dialog.SaveOnClose(GetParam());
  EXPECT_EQ(Read(ListFile("renamed")), GetParam() ? "0,2026,1,1,one\r\n" : "1,2026,1,1,one\r\n");
  EXPECT_EQ(Read(OrderFile()), "renamed\r\nb\r\nc\r\n");
}

INSTANTIATE_TEST_SUITE_P(SavedForTheClose, WindowGone, testing::Bool());

TEST(ItemCountLine, ShowsTheCountBetweenItsWords) {
  EXPECT_EQ(todo::ItemCountLine(0), "登録ｱｲﾃﾑ： 0 件");
  EXPECT_EQ(todo::ItemCountLine(100000), "登録ｱｲﾃﾑ： 100000 件");
}

// A zero byte ends a text in the boxes: saving would cut every such line at it.
TEST_F(ListLoading, ListHoldingAZeroByteIsShownButNeverSavedOver) {
  const char raw[] = "0,2026,1,1,before\0after\r\n\0starts with zero\r\n0,2026,1,2,plain\r\n";
  const std::string bytes(raw, sizeof(raw) - 1);
  MakeLists(bytes);
  nameFront()->Click(0);
  EXPECT_EQ(ItemTexts(), "before;;plain;");
  Tick(2);
  nameFront()->Click(1);
  EXPECT_EQ(names()->GetCurSel(), 1);
  nameFront()->Click(0);
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  EXPECT_EQ(Read(ListFile("a")), bytes);
  NewItem("new");
  EXPECT_EQ(TakeTexts(), Texts{kListNotStorable});
}

}  // namespace
}  // namespace todo_test
