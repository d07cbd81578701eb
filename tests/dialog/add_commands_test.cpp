// Adding lists and items from the entry row.

#include <gtest/gtest.h>

#include <string>

#include "dialog/entry_text.h"
#include "dialog_fixture.h"
#include "support/tool_facts.h"

namespace {

using todo::DialogControl;
using todo::MessageButtons;
using todo::MessageIcon;
using todo_test::HeadlessWindowOps;
using Mode = storage::FaultInjectingFiles::Mode;
using todo_test::tool::kBadListName;
using todo_test::tool::kCannotCreate;
using todo_test::tool::kListExists;

DWORD Packed(int year, int month, int day) {
  return CQuarnListBox::ConvertToDateData(HeadlessWindowOps::Date(year, month, day));
}

class AddList : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", "0,2026,12,8,a1\r\n"}, {"b", "NO_DATE\r\n"}});
    Write(ListFile("orphan"), "0,2026,1,1,kept\r\n");
  }
  void Type(const std::string& text) {
    window.text = text;
    window.focus = DialogControl::DatePicker;  // the button took the focus
  }
};

// A refused name changes no box and no file and leaves the typed text for correcting it.
TEST_F(AddList, RefusedNamesKeepTheTypedTextAndTouchNothing) {
  struct Case {
    std::string typed;
    const char* message;
  };
  const Case cases[] = {
      {"", todo_test::tool::kEnterListName},
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
    SCOPED_TRACE(c.typed);
    window.messages.clear();
    Type(c.typed);
    for (int bottom = 0; bottom < 2; ++bottom) {
      bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
      ASSERT_EQ(window.messages.size(), static_cast<std::size_t>(bottom + 1));
      EXPECT_EQ(window.messages.back().text, c.message);
      EXPECT_EQ(window.messages.back().buttons, MessageButtons::Ok);
      EXPECT_EQ(window.messages.back().icon, MessageIcon::Exclamation);
      EXPECT_EQ(window.messages.back().busyWhileOpen, 1);
      EXPECT_EQ(window.text, c.typed);
      EXPECT_EQ(window.focus, DialogControl::TextBox);
    }
    EXPECT_EQ(ListNames(), "a;b;");
    EXPECT_EQ(ListFolderState(), folderBefore);
  }
  EXPECT_EQ(busy.load(), 0);
}

TEST_F(AddList, NamesWithABackslashOrBarAsSecondByteAreAccepted) {
  for (const std::string name : {"\x83\x5C\x95\x5C", "\x83\x7C", "v1.2 \xB1"}) {
    Type(name);
    dialog.OnAddAtBottom();
    EXPECT_EQ(Read(ListFile(name)), "") << name;
  }
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(ListNames(), "a;b;\x83\x5C\x95\x5C;\x83\x7C;v1.2 \xB1;");
}

TEST_F(AddList, NoDateBoxDecidesTheNewFileAndKeepsItsState) {
  for (bool noDate : {true, false}) {
    window.checked[DialogControl::NoDateBox] = noDate;
    Type(noDate ? "nodate" : "dated");
    dialog.OnAdd();
    EXPECT_EQ(Read(ListFile(noDate ? "nodate" : "dated")), noDate ? "NO_DATE\r\n" : "");
    EXPECT_EQ(dialog.NoDate(), noDate);
    EXPECT_EQ(window.checked[DialogControl::NoDateBox], noDate);
  }
}

TEST_F(AddList, PlacedAtTopOrBottomAndSelectedWithTheCommonEnding) {
  struct Case {
    bool bottom;
    const char* typed;
    const char* names;
    int selected;
  };
  const Case cases[] = {{false, "top", "top;a;b;", 0}, {true, "bottom", "top;a;b;bottom;", 3}};
  for (const Case& c : cases) {
    Type(c.typed);
    int invalidations = window.itemCountInvalidations;
    c.bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
    EXPECT_EQ(ListNames(), c.names);
    EXPECT_EQ(names()->GetCurSel(), c.selected);
    EXPECT_EQ(window.text, "");
    EXPECT_EQ(window.focus, DialogControl::TextBox);
    EXPECT_GT(window.itemCountInvalidations, invalidations);
  }
  EXPECT_EQ(Read(OrderFile()), "a\r\nb\r\n") << "written only when the window closes";
}

TEST_F(AddList, EitherButtonIntoAnEmptyBoxMakesEntryZeroSelected) {
  for (bool bottom : {false, true}) {
    names()->ResetContent();
    Type(bottom ? "bottom" : "top");
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
    EXPECT_EQ(names()->GetCount(), 1);
    EXPECT_EQ(names()->GetCurSel(), 0);
  }
}

// The boxes raise no events for the program's changes: without the command's own save and
// load, the items of the list left would be lost or written into the new list's file.
TEST_F(AddList, ListLeftIsSavedAndTheNewEmptyListIsShown) {
  nameFront()->Click(1);  // b, a no-date list
  items()->AddItem(0, "b1", Packed(2026, 12, 9));
  window.checked[DialogControl::NoDateBox] = false;  // the user clears the box for a dated list
  Type("new");
  dialog.OnAdd();
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

// Counted operations of a list add: the existence test, the creation, the marker's write and
// the close. A creation that fails at any of them leaves no file and no entry.
TEST_F(AddList, FileThatCannotBeMadeWholeLeavesNoListAndNoFile) {
  window.checked[DialogControl::NoDateBox] = true;
  for (int failing = 2; failing <= 4; ++failing) {
    SCOPED_TRACE(failing);
    window.messages.clear();
    Type("new");
    faults.FailAt(failing, Mode::kOnce);
    dialog.OnAdd();
    faults.Heal();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, kCannotCreate);
    EXPECT_EQ(ListNames(), "a;b;");
    EXPECT_FALSE(Exists(ListFile("new")));
    EXPECT_EQ(window.text, "new");
  }
}

// The list shown must be written before another is shown; when it cannot be, no list is made
// and its items stay.
TEST_F(AddList, ShownListThatCannotBeSavedKeepsItsItemsAndNoListIsMade) {
  nameFront()->Click(0);
  items()->AddItem(0, "unsaved", 0);
  Type("new");
  // After the new file's test, creation, write and close, the shown list's file read, and the
  // temporary file's opening.
  faults.FailAt(7, Mode::kOnce);
  dialog.OnAdd();
  faults.Heal();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, kCannotCreate);
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_FALSE(Exists(ListFile("new")));
  EXPECT_EQ(window.text, "new");
  EXPECT_EQ(names()->GetCurSel(), 0);
  EXPECT_EQ(ItemTexts(), "a1;unsaved;");
}

TEST_F(AddList, PastedLineBreaksBecomeSpacesAndTheNameIsCutAtACharacterBoundary) {
  Type("two\r\nlines\nhere");
  dialog.OnAdd();
  EXPECT_EQ(ListNames(), "two lines here;a;b;");
  EXPECT_EQ(todo::EntryText(std::string(248, 'x') + "\x82\xA0", todo::kListNameLimit),
            std::string(248, 'x'));
  EXPECT_EQ(todo::EntryText(std::string(247, 'x') + "\x82\xA0", todo::kListNameLimit),
            std::string(247, 'x') + "\x82\xA0");
}

class AddItem : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", "0,2026,12,8,a1\r\n"}, {"nodate", "NO_DATE\r\n"}});
    window.CheckMode(false);
  }
};

// Without a list the item would belong to no file; that message comes first, even when the
// text box is empty too, and leaves the focus where it is.
TEST_F(AddItem, WithoutASelectedListTheNoListMessageComesFirst) {
  for (const char* typed : {"", "text"}) {
    window.messages.clear();
    window.text = typed;
    window.focus = DialogControl::DatePicker;
    dialog.OnAdd();
    dialog.OnAddAtBottom();
    ASSERT_EQ(window.messages.size(), 2u);
    for (const todo_test::ShownMessage& shown : window.messages) {
      EXPECT_EQ(shown.text, "アイテムを登録できません。\nリストを、選択するか新規登録して下さい。");
      EXPECT_EQ(shown.icon, MessageIcon::Information);
      EXPECT_EQ(shown.busyWhileOpen, 1);
    }
    EXPECT_EQ(window.focus, DialogControl::DatePicker);
    EXPECT_EQ(window.text, typed);
    EXPECT_EQ(items()->GetCount(), 0);
  }
}

TEST_F(AddItem, EmptyTextIsRefusedAndFocusesTheTextBox) {
  nameFront()->Click(0);
  window.CheckMode(false);
  window.focus = DialogControl::DatePicker;
  dialog.OnAdd();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, todo_test::tool::kEnterItem);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(window.focus, DialogControl::TextBox);
  EXPECT_EQ(ItemTexts(), "a1;");
}

TEST_F(AddItem, PlacedAtTopOrBottomColouredAndWrittenOnlyAtTheNextSave) {
  nameFront()->Click(0);
  itemFront()->Click(0);  // into item mode, a1 selected
  window.pickerDate = HeadlessWindowOps::Date(2026, 12, 7);
  window.text = "top";
  dialog.OnAdd();
  window.pickerDate = HeadlessWindowOps::Date(2026, 12, 9);
  window.text = "bottom";
  int invalidations = window.itemCountInvalidations;
  dialog.OnAddAtBottom();
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
    window.CheckMode(false);
    items()->ResetContent();
    window.text = "x";
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
    ASSERT_EQ(items()->GetCount(), 1);
    EXPECT_EQ(items()->GetItemData(0), Packed(2026, 12, 8));
    EXPECT_EQ(itemFront()->RowColour(0), todo::kColourNoDate);
  }
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("nodate")), "NO_DATE\r\n0,2026,12,8,x\r\n");
}

TEST_F(AddItem, LongTextIsCutToWholeCharactersAndStaysOneRecord) {
  nameFront()->Click(0);
  window.CheckMode(false);
  // As one line, the double-byte character would end at byte 254.
  window.text = "a\r\nb" + std::string(249, 'x') + "\x82\xA0" + "tail";
  dialog.OnAddAtBottom();
  const std::string kept = "a b" + std::string(249, 'x');
  EXPECT_EQ(std::string(items()->GetItemText(1)), kept);
  dialog.SaveCurrentList();
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n0,2026,12,8," + kept + "\r\n");
}

}  // namespace
