// What a user does inside a box, through the headless front, and the events it raises.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace {

using quarn::HeadlessFront;
using quarn::Key;
using quarn_test::BoxPtr;
using quarn_test::EventLog;
using quarn_test::MakeBox;
using Events = std::vector<int>;

// A box with rows a..e, recording every event.
struct UserFixture {
  explicit UserFixture(const char* name) : box(MakeBox(name)) {
    for (const char* text : {"a", "b", "c", "d", "e"}) {
      if (std::string(name) == "ToDoList") {
        static_cast<CQuarnImageListBox*>(box.get())->AddItem(nullptr, text, 0);
      } else {
        static_cast<CQuarnToDoListBox*>(box.get())->AddItem(0, text, 0x07EA0C08);
      }
    }
    box->SetEditable(1);
    quarn_test::RecordAllEvents(box.get(), &log);
    front = quarn::HeadlessFrontOf(box.get());
  }
  // Selects `row` and focuses the box, then forgets the events that took.
  void Select(int row) {
    front->Click(row);
    log.events.clear();
    log.selectionSeen.clear();
  }
  BoxPtr box;
  EventLog log;
  HeadlessFront* front;
};

TEST(QuarnUserSelect, ClickRaisesActivateThenLeaveWithTheOldRowThenArrive) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    UserFixture f(name);
    f.Select(1);
    f.front->Click(3);
    EXPECT_EQ(f.log.events, (Events{1, 8, 9})) << name;
    EXPECT_EQ(f.log.selectionSeen, (Events{1, 1, 3})) << name;
    EXPECT_EQ(f.box->GetCurSel(), 3);
  }
}

TEST(QuarnUserSelect, KeyboardRaisesTenInTheListNameBoxAndEightInTheItemBox) {
  UserFixture names("ToDoList");
  names.Select(0);
  names.front->PressKey(Key::Down);
  EXPECT_EQ(names.log.events, (Events{10, 9}));
  EXPECT_EQ(names.log.selectionSeen, (Events{0, 1}));

  UserFixture items("ToDoItem");
  items.Select(0);
  items.front->PressKey(Key::End);
  EXPECT_EQ(items.log.events, (Events{8, 9}));
  EXPECT_EQ(items.box->GetCurSel(), 4);
}

TEST(QuarnUserSelect, KeysStopAtBothEndsWithoutEvents) {
  UserFixture f("ToDoItem");
  f.Select(0);
  f.front->PressKey(Key::Up);
  f.front->PressKey(Key::Home);
  f.front->PressKey(Key::PageUp);
  EXPECT_TRUE(f.log.events.empty());
  f.front->SetVisibleRows(3);
  f.front->PressKey(Key::PageDown);
  EXPECT_EQ(f.box->GetCurSel(), 2);
  f.front->PressKey(Key::PageDown);
  EXPECT_EQ(f.box->GetCurSel(), 4);
  f.log.events.clear();
  f.front->PressKey(Key::Down);
  EXPECT_TRUE(f.log.events.empty());
}

TEST(QuarnUserSelect, ClicksBelowTheRowsOrOnTheSelectedRowKeepTheSelection) {
  UserFixture f("ToDoList");
  f.Select(2);
  f.front->Click(-1);
  EXPECT_EQ(f.log.events, (Events{1}));
  EXPECT_EQ(f.box->GetCurSel(), 2);
}

TEST(QuarnUserSelect, LeaveAnsweredZeroKeepsTheSelection) {
  UserFixture f("ToDoList");
  f.Select(0);
  f.log.answers[8] = 0;
  f.front->Click(4);
  EXPECT_EQ(f.log.events, (Events{1, 8}));
  EXPECT_EQ(f.box->GetCurSel(), 0);
}

// The dialog's leave-list handler empties the other box; a handler that empties this one
// must not leave the selection pointing past the end.
TEST(QuarnUserSelect, HandlerThatEmptiesTheBoxLeavesNoStaleSelection) {
  UserFixture f("ToDoList");
  f.Select(0);
  f.log.onEvent = [&](int event) {
    if (event == 8) f.box->ResetContent();
  };
  f.front->Click(4);
  EXPECT_EQ(f.box->GetCurSel(), -1);
  EXPECT_EQ(f.log.events, (Events{1, 8}));
}

TEST(QuarnUserSelect, ScrollingFollowsTheSelection) {
  UserFixture f("ToDoItem");
  f.front->SetVisibleRows(2);
  f.Select(0);
  f.front->PressKey(Key::End);
  EXPECT_EQ(f.front->TopRow(), 3);
  f.box->SetCurSel(0);
  EXPECT_EQ(f.front->TopRow(), 0);
}

TEST(QuarnActivate, FocusFromOutsideRaisesOneOnlyOnce) {
  UserFixture f("ToDoItem");
  f.front->Focus();
  f.front->Focus();
  EXPECT_EQ(f.log.events, (Events{1}));
  f.front->Blur();
  f.front->Focus();
  EXPECT_EQ(f.log.events, (Events{1, 1}));
}

TEST(QuarnNameEdit, CommittedNameIsOfferedWhileTheRowStillShowsTheOldOne) {
  UserFixture f("ToDoList");
  f.Select(1);
  std::string seenEditText, seenRowText;
  f.log.onEvent = [&](int event) {
    if (event != 12) return;
    char buffer[256];
    EXPECT_EQ(f.box->GetEditText(buffer, 254), 7);
    seenEditText = buffer;
    seenRowText = f.box->GetItemText(1);
  };
  f.front->Click(1);
  EXPECT_EQ(f.log.events, (Events{1, 11}));
  ASSERT_TRUE(f.front->EditorOpen());
  EXPECT_EQ(f.front->EditorText(), "b");
  f.front->TypeText("renamed");
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11, 12}));
  EXPECT_EQ(seenEditText, "renamed");
  EXPECT_EQ(seenRowText, "b");
  EXPECT_STREQ(f.box->GetItemText(1), "renamed");
  EXPECT_FALSE(f.front->EditorOpen());
}

TEST(QuarnNameEdit, VetoKeepsTheOldName) {
  UserFixture f("ToDoList");
  f.Select(1);
  f.log.answers[12] = 0;
  f.front->Click(1);
  f.front->TypeText("other");
  f.front->Blur();  // losing the focus ends the edit as Enter does
  EXPECT_EQ(f.log.events, (Events{1, 11, 12}));
  EXPECT_STREQ(f.box->GetItemText(1), "b");
}

TEST(QuarnNameEdit, GivenUpOrEmptiedEditsRaiseNothingAndKeepTheName) {
  UserFixture f("ToDoList");
  f.Select(1);
  f.front->Click(1);
  f.front->TypeText("other");
  f.front->PressEscape();
  f.front->Click(1);
  f.front->TypeText("");
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11, 1, 11}));
  EXPECT_STREQ(f.box->GetItemText(1), "b");
}

TEST(QuarnNameEdit, NoEditWithoutFocusOnDoubleClickOrWhenNotEditable) {
  UserFixture f("ToDoList");
  f.Select(1);
  f.front->Blur();
  f.front->Click(1);  // the first click only activates the box
  EXPECT_FALSE(f.front->EditorOpen());
  f.front->DoubleClick(1);
  EXPECT_FALSE(f.front->EditorOpen());
  f.box->SetEditable(0);
  f.front->Click(1);
  f.front->PressKey(Key::F2);
  EXPECT_FALSE(f.front->EditorOpen());
  EXPECT_EQ(f.log.events, (Events{1, 1, 1}));
}

TEST(QuarnNameEdit, ClickingAnotherRowEndsTheEditBeforeTheSelectionMoves) {
  UserFixture f("ToDoList");
  f.Select(1);
  f.front->Click(1);
  f.front->TypeText("renamed");
  f.front->Click(3);
  EXPECT_EQ(f.log.events, (Events{1, 11, 12, 1, 8, 9}));
  EXPECT_STREQ(f.box->GetItemText(1), "renamed");
}

TEST(QuarnNameEdit, ProgramChangesUnderAnOpenEditorGiveTheEditUp) {
  UserFixture f("ToDoList");
  f.Select(1);
  f.front->Click(1);
  static_cast<CQuarnImageListBox*>(f.box.get())->InsertItem(0, nullptr, "top", 0);
  EXPECT_FALSE(f.front->EditorOpen());
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11}));
  EXPECT_STREQ(f.box->GetItemText(2), "b");
}

TEST(QuarnItemEdit, TextIsStoredThenReportedAsOneLineCutAtACharacterBoundary) {
  UserFixture f("ToDoItem");
  f.Select(2);
  std::string seen;
  f.log.onEvent = [&](int event) {
    if (event == 13) seen = f.box->GetItemText(2);
  };
  f.front->Click(2, QUARN_COLUMN_TEXT);
  f.front->TypeText("two\r\nlines\there");
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  EXPECT_EQ(seen, "two  lines here");

  f.front->Click(2, QUARN_COLUMN_TEXT);
  f.front->TypeText(std::string(253, 'x') + "\x8A\xBF");
  f.front->PressEnter();
  EXPECT_EQ(std::string(f.box->GetItemText(2)), std::string(253, 'x'));
}

// Each stored edit leaves the old text behind in the rows' shared block; many edits compact
// it, and neither the edited row nor the others lose their texts.
TEST(QuarnItemEdit, ManyEditsOfOneRowKeepEveryRowsText) {
  UserFixture f("ToDoItem");
  f.Select(2);
  std::string last;
  for (int i = 0; i < 1000; ++i) {
    last = std::to_string(i) + std::string(200, 'q');
    f.front->Click(2, QUARN_COLUMN_TEXT);
    f.front->TypeText(last);
    f.front->PressEnter();
  }
  EXPECT_EQ(std::string(f.box->GetItemText(2)), last);
  EXPECT_STREQ(f.box->GetItemText(0), "a");
  EXPECT_STREQ(f.box->GetItemText(1), "b");
  EXPECT_STREQ(f.box->GetItemText(4), "e");
}

TEST(QuarnItemEdit, CheckCellTogglesAtOnceAndReportsIt) {
  UserFixture f("ToDoItem");
  f.Select(0);
  int checkSeen = -1;
  f.log.onEvent = [&](int event) {
    if (event == 13) checkSeen = f.box->GetItemCheck(0);
  };
  f.front->Click(0, QUARN_COLUMN_CHECK);
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  EXPECT_EQ(checkSeen, 1);
  f.front->PressKey(Key::Space);
  EXPECT_EQ(f.box->GetItemCheck(0), 0);
  // A check cell of a row that is not selected only selects the row.
  f.log.events.clear();
  f.front->Click(3, QUARN_COLUMN_CHECK);
  EXPECT_EQ(f.log.events, (Events{1, 8, 9}));
  EXPECT_EQ(f.box->GetItemCheck(3), 0);
}

TEST(QuarnItemEdit, PickedDateBecomesTheRowsDataWord) {
  UserFixture f("ToDoItem");
  f.Select(4);
  f.front->Click(4, QUARN_COLUMN_DATE);
  ASSERT_TRUE(f.front->EditorOpen());
  EXPECT_EQ(f.front->EditorColumn(), QUARN_COLUMN_DATE);
  EXPECT_EQ(f.front->EditorDate(), 0x07EA0C08u);
  f.front->PickDate(0x07EB0101);
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  EXPECT_EQ(f.box->GetItemData(4), 0x07EB0101u);
  EXPECT_EQ(f.box->GetItemDate(4), 0x07EB0101u);

  f.front->Click(4, QUARN_COLUMN_DATE);
  f.front->PickDate(0x07EC0101);
  f.front->PressEscape();
  EXPECT_EQ(f.box->GetItemDate(4), 0x07EB0101u);
}

TEST(QuarnItemEdit, EditTextIsCutToTheCallersCapacity) {
  UserFixture f("ToDoItem");
  f.Select(0);
  f.front->Click(0);
  f.front->TypeText("abc\x8A\xBF");
  f.front->PressEnter();
  char buffer[8];
  EXPECT_EQ(f.box->GetEditText(buffer, 4), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(f.box->GetEditText(buffer, 5), 5);
  EXPECT_EQ(f.box->GetEditText(nullptr, 5), 0);
}

}  // namespace
