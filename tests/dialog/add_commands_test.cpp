// Adding lists and items from the entry row.

#include "dialog/entry_text.h"
#include "dialog_fixture.h"

namespace todo_test {
namespace {

class AddList : public DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", "0,2026,12,8,a1\r\n"}, {"b", "NO_DATE\r\n"}});
    Write(ListFile("orphan"), "0,2026,1,1,kept\r\n");
  }
};

// A refused name changes no box and no file and leaves the typed text for correcting it.
TEST_F(AddList, RefusedNamesKeepTheTypedTextAndTouchNothing) {
  struct Case {
    std::string typed;
    const char* message;
  };
  const Case cases[] = {
      {"", kEnterListName},
      {"a\\b", kBadListName},
      {"x|y", kBadListName},
      {"\\start", kBadListName},
      {":\x83\x5C", kBadListName},  // a colon before katakana so
      {"CON", kBadListName},        // Windows cannot make this file
      {"tab\there", kBadListName},
      {"a", kListExists},
      {"b", kListExists},       // a later entry counts as much as the first
      {"B", kListExists},       // Windows would give it list b's file
      {"orphan", kListExists},  // a file no list names: its items are not emptied away
      {std::string(300, 'n'), kCannotCreate},  // its path is too long for Windows
  };
  const std::string folderBefore = ListFolderState();
  for (const Case& c : cases) {
    for (bool bottom : {false, true}) {
      SCOPED_TRACE(c.typed + (bottom ? " at the bottom" : " at the top"));
      NewList(c.typed, bottom);
      EXPECT_EQ(TakeMessages(), Messages{Told(c.message, MessageIcon::Exclamation)});
      EXPECT_EQ(window.text, c.typed);
      EXPECT_EQ(window.focus, DialogControl::TextBox);
    }
    EXPECT_EQ(ListNames(), "a;b;");
    EXPECT_EQ(ListFolderState(), folderBefore);
  }
  EXPECT_EQ(busy.load(), 0);
}

// Names whose second byte is a backslash or a bar are whole characters, not separators. Into
// an empty box either button makes entry 0. The no-date box decides the new file and keeps its
// state.
TEST_F(AddList, PlacedAtTopOrBottomSelectedWithTheCommonEndingAndAFileOfItsKind) {
  struct Case {
    bool empty;
    bool bottom;
    bool noDate;
    const char* typed;
    const char* names;
    int selected;
  };
  const Case cases[] = {
      {false, false, false, "top", "top;a;b;", 0},
      {false, true, false, "bottom", "top;a;b;bottom;", 3},
      {false, true, false, "\x83\x5C\x95\x5C", "top;a;b;bottom;\x83\x5C\x95\x5C;", 4},
      {false, true, false, "\x83\x7C", "top;a;b;bottom;\x83\x5C\x95\x5C;\x83\x7C;", 5},
      {false, true, false, "v1.2 \xB1", "top;a;b;bottom;\x83\x5C\x95\x5C;\x83\x7C;v1.2 \xB1;", 6},
      {true, false, true, "nodate", "nodate;", 0},
      {true, true, false, "dated", "dated;", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    if (c.empty) names()->ResetContent();
    window.checked[DialogControl::NoDateBox] = c.noDate;
    const int invalidations = window.itemCountInvalidations;
    NewList(c.typed, c.bottom);
    EXPECT_EQ(ListNames(), c.names);
    EXPECT_EQ(names()->GetCurSel(), c.selected);
    EXPECT_EQ(Read(ListFile(c.typed)), c.noDate ? "NO_DATE\r\n" : "");
    EXPECT_EQ(dialog.NoDate(), c.noDate);
    EXPECT_EQ(window.checked[DialogControl::NoDateBox], c.noDate);
    EXPECT_EQ(window.text, "");
    EXPECT_EQ(window.focus, DialogControl::TextBox);
    EXPECT_GT(window.itemCountInvalidations, invalidations);
  }
  EXPECT_EQ(TakeTexts(), Texts{});
  EXPECT_EQ(Read(OrderFile()), "a\r\nb\r\n") << "written only when the window closes";
}

// The boxes raise no events for the program's changes: without the command's own save and
// load, the items of the list left would be lost or written into the new list's file.
TEST_F(AddList, ListLeftIsSavedAndTheNewEmptyListIsShown) {
  nameFront()->Click(1);  // b, a no-date list
  items()->AddItem(0, "b1", Packed(2026, 12, 9));
  window.checked[DialogControl::NoDateBox] = false;  // the user clears the box for a dated list
  NewList("new");
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n0,2026,12,9,b1\r\n");
  EXPECT_EQ(items()->GetCount(), 0);
  EXPECT_FALSE(dialog.NoDate());
  EXPECT_EQ(itemFront()->ColumnWidth(QUARN_COLUMN_TEXT), 320);
  // The next save writes the new list as the dated list it was made as.
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("new")), "");
  EXPECT_EQ(Read(ListFile("b")), "NO_DATE\r\n0,2026,12,9,b1\r\n");
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
}

// A list is made only when its file is made whole (counted operations: the existence test, the
// creation, the no-date marker's write, the close) and the list shown could be written (7: after
// those four without a marker, the shown list's read and the temporary file's open). Else no
// file, no entry, and the shown list keeps its items.
TEST_F(AddList, ListIsMadeOnlyWhenItsFileIsMadeWholeAndTheShownListIsSaved) {
  struct Case {
    int failing;
    bool noDate;
    bool shown;
  };
  const Case cases[] = {{2, true, false}, {3, true, false}, {4, true, false}, {7, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    if (c.shown) {
      nameFront()->Click(0);
      items()->AddItem(0, "unsaved", 0);
    }
    window.checked[DialogControl::NoDateBox] = c.noDate;
    faults.FailAt(c.failing, Mode::kOnce);
    NewList("new");
    faults.Heal();
    EXPECT_EQ(TakeTexts(), Texts{kCannotCreate});
    EXPECT_EQ(ListNames(), "a;b;");
    EXPECT_FALSE(Exists(ListFile("new")));
    EXPECT_EQ(window.text, "new");
    EXPECT_EQ(names()->GetCurSel(), c.shown ? 0 : -1);
    EXPECT_EQ(ItemTexts(), c.shown ? "a1;unsaved;" : "");
  }
}

TEST_F(AddList, PastedLineBreaksBecomeSpacesAndTheNameIsCutAtACharacterBoundary) {
  NewList("two\r\nlines\nhere");
  EXPECT_EQ(ListNames(), "two lines here;a;b;");
  EXPECT_EQ(todo::EntryText(std::string(248, 'x') + "\x82\xA0", todo::kListNameLimit),
            std::string(248, 'x'));
  EXPECT_EQ(todo::EntryText(std::string(247, 'x') + "\x82\xA0", todo::kListNameLimit),
            std::string(247, 'x') + "\x82\xA0");
}

class AddItem : public DialogTest {
 protected:
  void SetUp() override { MakeListFiles({{"a", "0,2026,12,8,a1\r\n"}, {"nodate", "NO_DATE\r\n"}}); }
};

// Without a list the item would belong to no file; that message comes first, even when the
// text box is empty too, and leaves the focus where it is. An empty text is refused next.
TEST_F(AddItem, RefusedItemsShowTheirMessageKeepTheTextAndAddNothing) {
  struct Case {
    int list;
    const char* typed;
    ShownMessage message;
    DialogControl focus;
    const char* items;
  };
  const Case cases[] = {
      {-1, "", Told(kNoListSelected, MessageIcon::Information), DialogControl::DatePicker, ""},
      {-1, "text", Told(kNoListSelected, MessageIcon::Information), DialogControl::DatePicker, ""},
      {0, "", Told(kEnterItem, MessageIcon::Exclamation), DialogControl::TextBox, "a1;"},
  };
  for (const Case& c : cases) {
    if (c.list >= 0) nameFront()->Click(c.list);
    for (bool bottom : {false, true}) {
      SCOPED_TRACE(std::string("list ") + std::to_string(c.list) + ", typed \"" + c.typed +
                   (bottom ? "\" at the bottom" : "\" at the top"));
      NewItem(c.typed, bottom);
      EXPECT_EQ(TakeMessages(), Messages{c.message});
      EXPECT_EQ(window.focus, c.focus);
      EXPECT_EQ(window.text, c.typed);
      EXPECT_EQ(ItemTexts(), c.items);
    }
  }
}

TEST_F(AddItem, PlacedAtTopOrBottomColouredAndWrittenOnlyAtTheNextSave) {
  nameFront()->Click(0);
  itemFront()->Click(0);  // into item mode, a1 selected
  window.pickerDate = HeadlessWindowOps::Date(2026, 12, 7);
  NewItem("top");
  window.pickerDate = HeadlessWindowOps::Date(2026, 12, 9);
  const int invalidations = window.itemCountInvalidations;
  NewItem("bottom", true);
  EXPECT_EQ(ItemTexts(), "top;a1;bottom;");
  EXPECT_EQ(items()->GetItemCheck(0), 0);
  EXPECT_EQ(items()->GetItemData(2), Packed(2026, 12, 9));
  EXPECT_EQ(itemFront()->RowColour(0), todo::kColourOverdue);
  EXPECT_EQ(itemFront()->RowColour(2), todo::kColourDueLater);
  EXPECT_EQ(items()->GetCurSel(), 1) << "a1 stays selected";
  EXPECT_EQ(names()->GetCurSel(), 0);
  EXPECT_EQ(window.text, "");
  EXPECT_GT(window.itemCountInvalidations, invalidations);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,7,top\r\n0,2026,12,8,a1\r\n0,2026,12,9,bottom\r\n");
}

TEST_F(AddItem, EitherButtonIntoAnEmptyNoDateListCarriesThePickersDate) {
  for (bool bottom : {false, true}) {
    nameFront()->Click(1);
    items()->ResetContent();
    NewItem("x", bottom);
    ASSERT_EQ(items()->GetCount(), 1);
    EXPECT_EQ(items()->GetItemData(0), Packed(2026, 12, 8));
    EXPECT_EQ(itemFront()->RowColour(0), todo::kColourNoDate);
  }
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("nodate")), "NO_DATE\r\n0,2026,12,8,x\r\n");
}

TEST_F(AddItem, LongTextIsCutToWholeCharactersAndStaysOneRecord) {
  nameFront()->Click(0);
  // As one line, the double-byte character would end at byte 254.
  NewItem("a\r\nb" + std::string(249, 'x') + "\x82\xA0" + "tail", true);
  const std::string kept = "a b" + std::string(249, 'x');
  EXPECT_EQ(std::string(items()->GetItemText(1)), kept);
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n0,2026,12,8," + kept + "\r\n");
}

}  // namespace
}  // namespace todo_test
