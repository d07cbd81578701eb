// What the model tells its front has changed, which the Windows front passes on to screen
// readers: a row told at the wrong index, a change told twice or not at all, would have a
// screen reader read out the wrong row.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace quarn {

std::ostream& operator<<(std::ostream& out, const Change& change) {
  static const char* const kKinds[] = {"Inserted", "Removed", "Reset", "Selected", "Stored"};
  static const char* const kParts[] = {"Text", "Check", "Date"};
  out << kKinds[change.kind] << "(" << change.row;
  if (change.kind == Change::Stored) out << ", " << kParts[static_cast<int>(change.part)];
  return out << ")";
}

}  // namespace quarn

namespace {

using quarn::Change;
using quarn::HeadlessFront;
using quarn::Key;
using quarn::RowPart;
using quarn_test::BoxPtr;
using quarn_test::EventLog;
using quarn_test::MakeBox;
using Changes = std::vector<Change>;

CQuarnImageListBox* Names(const BoxPtr& box) {
  return static_cast<CQuarnImageListBox*>(box.get());
}
CQuarnToDoListBox* Items(const BoxPtr& box) {
  return static_cast<CQuarnToDoListBox*>(box.get());
}

// A box of `rows` rows whose front has forgotten the filling.
BoxPtr FilledBox(const char* name, int rows) {
  BoxPtr box = MakeBox(name);
  const bool items = std::string(name) == "ToDoItem";
  for (int i = 0; i < rows; ++i) {
    if (items) {
      Items(box)->AddItem(0, "item", 0x07EA0C01);
    } else {
      Names(box)->AddItem(nullptr, "list", 0);
    }
  }
  quarn::HeadlessFrontOf(box.get())->ForgetChanges();
  return box;
}

const Changes& Told(const BoxPtr& box) {
  return quarn::HeadlessFrontOf(box.get())->Changes();
}

TEST(QuarnChangeRows, AddAndInsertTellTheNewRowsIndex) {
  BoxPtr box = FilledBox("ToDoList", 0);
  Names(box)->AddItem(nullptr, "a", 0);
  Names(box)->AddItem(nullptr, "b", 0);
  Names(box)->InsertItem(1, nullptr, "c", 0);
  Names(box)->InsertItem(3, nullptr, "d", 0);  // at the end
  EXPECT_EQ(Told(box), (Changes{{Change::Inserted, 0},
                                {Change::Inserted, 1},
                                {Change::Inserted, 1},
                                {Change::Inserted, 3}}));
}

TEST(QuarnChangeRows, DeleteTellsTheIndexTheRowHadAndASelectedRowsGoing) {
  BoxPtr box = FilledBox("ToDoItem", 4);
  box->SetCurSel(2);
  quarn::HeadlessFrontOf(box.get())->ForgetChanges();
  box->DeleteItem(0);  // the selected row moves up to 1: still the same row, no selection told
  box->DeleteItem(1);  // the selected row itself
  EXPECT_EQ(Told(box),
            (Changes{{Change::Removed, 0}, {Change::Removed, 1}, {Change::Selected, -1}}));
}

TEST(QuarnChangeRows, ResetTellsOnceWhateverTheRowCount) {
  BoxPtr box = FilledBox("ToDoItem", 50);
  box->SetCurSel(10);
  quarn::HeadlessFrontOf(box.get())->ForgetChanges();
  box->ResetContent();
  EXPECT_EQ(Told(box), (Changes{{Change::Reset, -1}}));
}

TEST(QuarnChangeRows, BadIndexesTellNothing) {
  BoxPtr box = FilledBox("ToDoItem", 2);
  EXPECT_EQ(-1, Items(box)->InsertItem(5, 0, "x", 0));
  EXPECT_EQ(-1, Items(box)->InsertItem(-1, 0, "x", 0));
  EXPECT_EQ(-1, box->DeleteItem(2));
  EXPECT_EQ(-1, box->SetCurSel(7));
  EXPECT_TRUE(Told(box).empty());
}

// The up and down commands move a row by taking it out, putting it back one place on and
// selecting it there.
TEST(QuarnChangeRows, MoveTellsTheRowLeavingArrivingAndSelectedAtItsNewPlace) {
  BoxPtr box = FilledBox("ToDoList", 3);
  box->SetCurSel(0);
  quarn::HeadlessFrontOf(box.get())->ForgetChanges();
  box->DeleteItem(0);
  Names(box)->InsertItem(1, nullptr, "list", 0);
  box->SetCurSel(1);
  EXPECT_EQ(Told(box), (Changes{{Change::Removed, 0},
                                {Change::Selected, -1},
                                {Change::Inserted, 1},
                                {Change::Selected, 1}}));
}

TEST(QuarnChangeSelection, ProgramAndUserMovesAreToldOnceAndAKeptSelectionNot) {
  BoxPtr box = FilledBox("ToDoList", 5);
  HeadlessFront* front = quarn::HeadlessFrontOf(box.get());
  box->SetCurSel(1);
  box->SetCurSel(1);  // already selected
  front->Click(3);
  front->PressKey(Key::Down);
  front->PressKey(Key::End);  // already the last row
  front->Click(-1);           // below the rows
  box->SetCurSel(-1);
  EXPECT_EQ(Told(box), (Changes{{Change::Selected, 1},
                                {Change::Selected, 3},
                                {Change::Selected, 4},
                                {Change::Selected, -1}}));
}

TEST(QuarnChangeSelection, AMoveTheOwnerRefusesIsNotTold) {
  BoxPtr box = FilledBox("ToDoItem", 3);
  EventLog log;
  quarn_test::RecordAllEvents(box.get(), &log);
  box->SetCurSel(0);
  quarn::HeadlessFrontOf(box.get())->ForgetChanges();
  log.answers[QUARN_EVENT_SELCHANGING] = 0;
  quarn::HeadlessFrontOf(box.get())->Click(2);
  quarn::HeadlessFrontOf(box.get())->PressKey(Key::Down);
  EXPECT_TRUE(Told(box).empty());
}

// The selection is told before the owner hears that it moved: an owner that fills the other
// box on event 9 must not have a screen reader hear those rows first.
TEST(QuarnChangeSelection, IsToldBeforeTheOwnerHearsOfIt) {
  BoxPtr box = FilledBox("ToDoList", 3);
  EventLog log;
  quarn_test::RecordAllEvents(box.get(), &log);
  std::vector<std::size_t> toldWhenArrived;
  log.onEvent = [&](int event) {
    if (event == QUARN_EVENT_SELCHANGED) toldWhenArrived.push_back(Told(box).size());
  };
  quarn::HeadlessFrontOf(box.get())->Click(2);
  EXPECT_EQ(toldWhenArrived, std::vector<std::size_t>{1});
}

TEST(QuarnChangeEdit, ToggledCheckIsToldForItsRowBeforeTheOwnerHearsOfIt) {
  BoxPtr box = FilledBox("ToDoItem", 3);
  box->SetEditable(1);
  HeadlessFront* front = quarn::HeadlessFrontOf(box.get());
  EventLog log;
  quarn_test::RecordAllEvents(box.get(), &log);
  std::vector<std::size_t> toldWhenStored;
  log.onEvent = [&](int event) {
    if (event == QUARN_EVENT_EDITEND) toldWhenStored.push_back(Told(box).size());
  };
  front->Click(1);
  front->ForgetChanges();
  front->Click(1, QUARN_COLUMN_CHECK);
  front->PressKey(Key::Space);
  EXPECT_EQ(Told(box),
            (Changes{{Change::Stored, 1, RowPart::Check}, {Change::Stored, 1, RowPart::Check}}));
  EXPECT_EQ(toldWhenStored, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(0, box->GetItemCheck(1));  // toggled twice
}

TEST(QuarnChangeEdit, StoredTextAndDateAreToldAndGivenUpEditsAreNot) {
  BoxPtr box = FilledBox("ToDoItem", 2);
  box->SetEditable(1);
  HeadlessFront* front = quarn::HeadlessFrontOf(box.get());
  front->Click(0);
  front->ForgetChanges();
  front->PressKey(Key::F2);
  front->TypeText("new text");
  front->PressEnter();
  front->PressKey(Key::F2);
  front->TypeText("given up");
  front->PressEscape();
  front->PressKey(Key::F2);
  front->TypeText("");
  front->PressEnter();  // an edit that ends empty stores nothing
  front->Click(0, QUARN_COLUMN_DATE);
  front->PickDate(0x07EB0101);
  front->PressEnter();
  EXPECT_EQ(Told(box),
            (Changes{{Change::Stored, 0, RowPart::Text}, {Change::Stored, 0, RowPart::Date}}));
}

TEST(QuarnChangeEdit, ANameIsToldOnlyWhenTheOwnerLetsItBeStored) {
  BoxPtr box = FilledBox("ToDoList", 2);
  box->SetEditable(1);
  HeadlessFront* front = quarn::HeadlessFrontOf(box.get());
  EventLog log;
  quarn_test::RecordAllEvents(box.get(), &log);
  front->Click(1);
  front->ForgetChanges();
  log.answers[QUARN_EVENT_NAMEEDITED] = 0;
  front->PressKey(Key::F2);
  front->TypeText("refused");
  front->PressEnter();
  EXPECT_TRUE(Told(box).empty());
  log.answers.erase(QUARN_EVENT_NAMEEDITED);
  front->PressKey(Key::F2);
  front->TypeText("renamed");
  front->PressEnter();
  EXPECT_EQ(Told(box), (Changes{{Change::Stored, 1, RowPart::Text}}));
  EXPECT_STREQ("renamed", box->GetItemText(1));
}

}  // namespace
