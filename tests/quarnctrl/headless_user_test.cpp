// What a user does inside a box, through the headless front: the events it raises, and what the
// front is told of the rows and the selection it changed (and of nothing else).

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace quarn_test {
namespace {

using quarn::Change;
using quarn::Key;
using quarn::RowPart;
using Sizes = std::vector<std::size_t>;

bool IsNames(const char* name) {
  return std::strcmp(name, "ToDoList") == 0;
}

// The selection is told before the owner hears that it moved: an owner that fills the other
// box on event 9 must not have a screen reader hear those rows first.
TEST(QuarnUserSelect, ClickRaisesActivateThenLeaveWithTheOldRowThenArriveAfterItIsTold) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    SCOPED_TRACE(name);
    HeadlessBox f(name);
    Sizes toldWhenArrived;
    f.log.onEvent = [&](int event) {
      if (event == QUARN_EVENT_SELCHANGED) toldWhenArrived.push_back(f.Told().size());
    };
    f.Select(1);
    f.front->Click(3);
    EXPECT_EQ(f.log.events, (Events{1, 8, 9}));
    EXPECT_EQ(f.log.selectionSeen, (Events{1, 1, 3}));
    EXPECT_EQ(f.box->GetCurSel(), 3);
    EXPECT_EQ(toldWhenArrived, (Sizes{1, 1}));  // the select's, then the click's
  }
}

TEST(QuarnUserSelect, KeyboardRaisesTenInTheListNameBoxAndEightInTheItemBox) {
  const struct {
    const char* name;
    Key key;
    Events events;
    int row;
  } cases[] = {{"ToDoList", Key::Down, {10, 9}, 1}, {"ToDoItem", Key::End, {8, 9}, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HeadlessBox f(c.name);
    f.Select(0);
    f.front->PressKey(c.key);
    EXPECT_EQ(f.log.events, c.events);
    EXPECT_EQ(f.log.selectionSeen, (Events{0, c.row}));
    EXPECT_EQ(f.box->GetCurSel(), c.row);
  }
}

TEST(QuarnUserSelect, KeysStopAtBothEndsWithoutEvents) {
  HeadlessBox f("ToDoItem");
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

TEST(QuarnUserSelect, MovesAreToldOnceAndClicksBelowTheRowsOrKeptSelectionsNot) {
  HeadlessBox f("ToDoList");
  f.box->SetCurSel(1);
  f.box->SetCurSel(1);  // already selected
  f.front->Click(3);
  f.front->PressKey(Key::Down);
  f.front->PressKey(Key::End);  // already the last row
  f.log.events.clear();
  f.front->Click(-1);  // below the rows
  EXPECT_EQ(f.log.events, (Events{1}));
  EXPECT_EQ(f.box->GetCurSel(), 4);
  f.box->SetCurSel(-1);
  EXPECT_EQ(f.Told(), (Changes{{Change::Selected, 1},
                               {Change::Selected, 3},
                               {Change::Selected, 4},
                               {Change::Selected, -1}}));
}

TEST(QuarnUserSelect, LeaveAnsweredZeroKeepsTheSelectionAndIsNotTold) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    SCOPED_TRACE(name);
    HeadlessBox f(name);
    f.Select(0);
    f.log.answers[QUARN_EVENT_SELCHANGING] = 0;
    f.log.answers[QUARN_EVENT_SELCHANGING_KEY] = 0;
    f.front->Click(4);
    f.front->PressKey(Key::Down);
    EXPECT_EQ(f.log.events, (Events{1, 8, IsNames(name) ? 10 : 8}));
    EXPECT_EQ(f.box->GetCurSel(), 0);
    EXPECT_TRUE(f.Told().empty());
  }
}

// The dialog's leave-list handler empties the other box; a handler that empties this one
// must not leave the selection pointing past the end.
TEST(QuarnUserSelect, HandlerThatEmptiesTheBoxLeavesNoStaleSelection) {
  HeadlessBox f("ToDoList");
  f.Select(0);
  f.log.onEvent = [&](int event) {
    if (event == 8) f.box->ResetContent();
  };
  f.front->Click(4);
  EXPECT_EQ(f.box->GetCurSel(), -1);
  EXPECT_EQ(f.log.events, (Events{1, 8}));
}

TEST(QuarnUserSelect, ScrollingFollowsTheSelection) {
  HeadlessBox f("ToDoItem");
  f.front->SetVisibleRows(2);
  f.Select(0);
  f.front->PressKey(Key::End);
  EXPECT_EQ(f.front->TopRow(), 3);
  f.box->SetCurSel(0);
  EXPECT_EQ(f.front->TopRow(), 0);
}

TEST(QuarnActivate, FocusFromOutsideRaisesOneOnlyOnce) {
  HeadlessBox f("ToDoItem");
  f.front->Focus();
  f.front->Focus();
  EXPECT_EQ(f.log.events, (Events{1}));
  f.front->Blur();
  f.front->Focus();
  EXPECT_EQ(f.log.events, (Events{1, 1}));
}

// The owner sees the new name offered while the row still shows the old one, and decides; a
// name it refuses is neither stored nor told. Losing the focus ends the edit as Enter does.
TEST(QuarnNameEdit, CommittedNameIsOfferedWhileTheRowShowsTheOldOneAndToldOnlyWhenStored) {
  const struct {
    int answer;
    bool byF2;  // else a click on the selected row
    bool byBlur;
  } cases[] = {{1, false, false}, {0, false, true}, {0, true, false}, {1, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "answer " << c.answer << (c.byF2 ? ", F2" : ", click")
                                    << (c.byBlur ? ", blur" : ", Enter"));
    HeadlessBox f("ToDoList");
    f.Select(1);
    f.log.answers[QUARN_EVENT_NAMEEDITED] = c.answer;
    std::string seenEditText, seenRowText;
    f.log.onEvent = [&](int event) {
      if (event != QUARN_EVENT_NAMEEDITED) return;
      char buffer[256];
      EXPECT_EQ(f.box->GetEditText(buffer, 254), 7);
      seenEditText = buffer;
      seenRowText = f.box->GetItemText(1);
    };
    c.byF2 ? f.front->PressKey(Key::F2) : f.front->Click(1);
    const Events opened = c.byF2 ? Events{11} : Events{1, 11};
    EXPECT_EQ(f.log.events, opened);
    ASSERT_TRUE(f.front->EditorOpen());
    EXPECT_EQ(f.front->EditorText(), "b");
    f.front->TypeText("renamed");
    c.byBlur ? f.front->Blur() : f.front->PressEnter();
    Events ended = opened;
    ended.push_back(QUARN_EVENT_NAMEEDITED);
    EXPECT_EQ(f.log.events, ended);
    EXPECT_EQ(seenEditText, "renamed");
    EXPECT_EQ(seenRowText, "b");
    EXPECT_STREQ(f.box->GetItemText(1), c.answer ? "renamed" : "b");
    EXPECT_FALSE(f.front->EditorOpen());
    EXPECT_EQ(f.Told(), (c.answer ? Changes{{Change::Stored, 1, RowPart::Text}} : Changes{}));
  }
}

// Given up with Esc, or ended empty: no event, no change told, the text kept.
TEST(QuarnNameEdit, GivenUpOrEmptiedEditsRaiseNothingAndKeepTheText) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    SCOPED_TRACE(name);
    HeadlessBox f(name);
    f.Select(1);
    // The names are opened with clicks, the items with F2.
    auto open = [&] { IsNames(name) ? f.front->Click(1) : f.front->PressKey(Key::F2); };
    open();
    f.EndEdit("other", false);
    open();
    f.EndEdit("");
    EXPECT_EQ(f.log.events, IsNames(name) ? (Events{1, 11, 1, 11}) : (Events{11, 11}));
    EXPECT_STREQ(f.box->GetItemText(1), "b");
    EXPECT_TRUE(f.Told().empty());
  }
}

TEST(QuarnNameEdit, NoEditWithoutFocusOnDoubleClickOrWhenNotEditable) {
  HeadlessBox f("ToDoList");
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
  HeadlessBox f("ToDoList");
  f.Select(1);
  f.front->Click(1);
  f.front->TypeText("renamed");
  f.front->Click(3);
  EXPECT_EQ(f.log.events, (Events{1, 11, 12, 1, 8, 9}));
  EXPECT_STREQ(f.box->GetItemText(1), "renamed");
}

TEST(QuarnNameEdit, ProgramChangesUnderAnOpenEditorGiveTheEditUp) {
  HeadlessBox f("ToDoList");
  f.Select(1);
  f.front->Click(1);
  PutRow(f.box.get(), "top", 0);
  EXPECT_FALSE(f.front->EditorOpen());
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11}));
  EXPECT_STREQ(f.box->GetItemText(2), "b");
}

TEST(QuarnItemEdit, TextIsStoredAndToldThenReportedAsOneLineCutAtACharacterBoundary) {
  HeadlessBox f("ToDoItem");
  f.Select(2);
  std::string seen;
  f.log.onEvent = [&](int event) {
    if (event == 13) seen = f.box->GetItemText(2);
  };
  f.front->Click(2, QUARN_COLUMN_TEXT);
  f.EndEdit("two\r\nlines\there");
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  EXPECT_EQ(seen, "two  lines here");
  EXPECT_EQ(f.Told(), (Changes{{Change::Stored, 2, RowPart::Text}}));

  f.front->Click(2, QUARN_COLUMN_TEXT);
  f.EndEdit(std::string(253, 'x') + "\x8A\xBF");
  EXPECT_EQ(std::string(f.box->GetItemText(2)), std::string(253, 'x'));
}

// Each stored edit leaves the old text behind in the rows' shared block; many edits compact
// it, and neither the edited row nor the others lose their texts.
TEST(QuarnItemEdit, ManyEditsOfOneRowKeepEveryRowsText) {
  HeadlessBox f("ToDoItem");
  f.Select(2);
  std::string last;
  for (int i = 0; i < 1000; ++i) {
    last = std::to_string(i) + std::string(200, 'q');
    f.front->Click(2, QUARN_COLUMN_TEXT);
    f.EndEdit(last);
  }
  EXPECT_EQ(std::string(f.box->GetItemText(2)), last);
  EXPECT_EQ(Texts(f.box.get()), "a;b;" + last + ";d;e;");
}

// The check is told for its row before the owner hears of it.
TEST(QuarnItemEdit, CheckCellTogglesAtOnceAndReportsItAfterItIsTold) {
  HeadlessBox f("ToDoItem");
  f.Select(0);
  Events checkSeen;
  Sizes toldWhenStored;
  f.log.onEvent = [&](int event) {
    if (event != QUARN_EVENT_EDITEND) return;
    checkSeen.push_back(f.box->GetItemCheck(0));
    toldWhenStored.push_back(f.Told().size());
  };
  f.front->Click(0, QUARN_COLUMN_CHECK);
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  f.front->PressKey(Key::Space);
  EXPECT_EQ(f.box->GetItemCheck(0), 0);
  EXPECT_EQ(checkSeen, (Events{1, 0}));
  EXPECT_EQ(toldWhenStored, (Sizes{1, 2}));
  EXPECT_EQ(f.Told(),
            (Changes{{Change::Stored, 0, RowPart::Check}, {Change::Stored, 0, RowPart::Check}}));
  // A check cell of a row that is not selected only selects the row.
  f.log.events.clear();
  f.front->Click(3, QUARN_COLUMN_CHECK);
  EXPECT_EQ(f.log.events, (Events{1, 8, 9}));
  EXPECT_EQ(f.box->GetItemCheck(3), 0);
}

TEST(QuarnItemEdit, PickedDateBecomesTheRowsDataWordAndIsTold) {
  HeadlessBox f("ToDoItem");
  f.Select(4);
  f.front->Click(4, QUARN_COLUMN_DATE);
  ASSERT_TRUE(f.front->EditorOpen());
  EXPECT_EQ(f.front->EditorColumn(), QUARN_COLUMN_DATE);
  EXPECT_EQ(f.front->EditorDate(), kDay);
  f.front->PickDate(0x07EB0101);
  f.front->PressEnter();
  EXPECT_EQ(f.log.events, (Events{1, 11, 13}));
  EXPECT_EQ(f.box->GetItemData(4), 0x07EB0101u);
  EXPECT_EQ(f.box->GetItemDate(4), 0x07EB0101u);

  f.front->Click(4, QUARN_COLUMN_DATE);
  f.front->PickDate(0x07EC0101);
  f.front->PressEscape();
  EXPECT_EQ(f.box->GetItemDate(4), 0x07EB0101u);
  EXPECT_EQ(f.Told(), (Changes{{Change::Stored, 4, RowPart::Date}}));
}

TEST(QuarnItemEdit, EditTextIsCutToTheCallersCapacity) {
  HeadlessBox f("ToDoItem");
  f.Select(0);
  f.front->Click(0);
  f.EndEdit("abc\x8A\xBF");
  char buffer[8];
  EXPECT_EQ(f.box->GetEditText(buffer, 4), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(f.box->GetEditText(buffer, 5), 5);
  EXPECT_EQ(f.box->GetEditText(nullptr, 5), 0);
}

}  // namespace
}  // namespace quarn_test
