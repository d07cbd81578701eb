// What the program does with a box: rows, selection, bad input. None of it raises an event,
// and the front hears of each change once, at the right row: the Windows front passes it on to
// screen readers, which would otherwise read out the wrong row.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace quarn_test {
namespace {

using quarn::Change;

TEST(QuarnFactory, NamesPickTheBoxAndUnknownNamesGiveNull) {
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoNothing", &rect, 0), nullptr);
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, nullptr, &rect, 0), nullptr);
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", nullptr, 0), nullptr);
  BoxPtr names(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", &rect, 0));
  BoxPtr items(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoItem", &rect, 0));
  ASSERT_NE(dynamic_cast<CQuarnImageListBox*>(names.get()), nullptr);
  ASSERT_NE(dynamic_cast<CQuarnToDoListBox*>(items.get()), nullptr);
  EXPECT_NE(quarn::HeadlessFrontOf(names.get()), nullptr);
}

// Callers delete boxes through the base class and call the virtual operations through the
// table in a fixed order; a reordered declaration would call the wrong function.
TEST(QuarnFactory, VirtualOperationsKeepTheirSlots) {
  struct MemberPointer {
    std::ptrdiff_t function;
    std::ptrdiff_t adjust;
  };
  auto slot = [](auto member) {
    MemberPointer raw;
    static_assert(sizeof(member) == sizeof(raw), "unexpected member pointer layout");
    std::memcpy(&raw, &member, sizeof(raw));
    return (raw.function - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
  };
  // Slots 0 and 1 hold the two destructors.
  EXPECT_EQ(slot(&CQuarnListBox::DestroyCtrl), 2);
  EXPECT_EQ(slot(&CQuarnListBox::RefreshCtrl), 3);
  EXPECT_EQ(slot(&CQuarnListBox::SetCtrlFont), 4);
  EXPECT_EQ(slot(&CQuarnListBox::SetCallback), 5);
  EXPECT_EQ(slot(&CQuarnListBox::GetEditText), 6);
}

TEST(QuarnRows, AddAndInsertGiveAndTellTheNewRowsIndex) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    SCOPED_TRACE(name);
    HeadlessBox f(name, 0);
    EXPECT_EQ(PutRow(f.box.get(), "first", -1, 0, 7), 0);
    EXPECT_EQ(PutRow(f.box.get(), "second", -1, 1, 8), 1);
    EXPECT_EQ(PutRow(f.box.get(), "middle", 1), 1);
    EXPECT_EQ(PutRow(f.box.get(), "third", 3, 0, 9), 3);  // at the end
    EXPECT_EQ(Texts(f.box.get()), "first;middle;second;third;");
    EXPECT_EQ(f.box->GetItemCheck(2), std::strcmp(name, "ToDoItem") == 0 ? 1 : 0);
    EXPECT_EQ(f.box->GetItemData(3), 9u);
    EXPECT_EQ(f.box->GetItemDate(3), 9u);
    EXPECT_EQ(f.Told(), (Changes{{Change::Inserted, 0},
                                 {Change::Inserted, 1},
                                 {Change::Inserted, 1},
                                 {Change::Inserted, 3}}));
  }
}

// The selected row moves with the rows before it, but stays the same row: no selection is told.
TEST(QuarnRows, InsertAndDeleteKeepTheSelectedRowSelected) {
  HeadlessBox f("ToDoList", 4);
  f.box->SetCurSel(2);  // "c"
  f.front->ForgetChanges();
  EXPECT_EQ(PutRow(f.box.get(), "new", 0), 0);
  EXPECT_STREQ(f.box->GetItemText(f.box->GetCurSel()), "c");
  EXPECT_EQ(f.box->DeleteItem(1), 4);  // "a"
  EXPECT_STREQ(f.box->GetItemText(f.box->GetCurSel()), "c");
  EXPECT_EQ(f.box->DeleteItem(3), 3);  // "d", after the selection
  EXPECT_STREQ(f.box->GetItemText(f.box->GetCurSel()), "c");
  EXPECT_EQ(Texts(f.box.get()), "new;b;c;");
  EXPECT_EQ(f.Told(), (Changes{{Change::Inserted, 0}, {Change::Removed, 1}, {Change::Removed, 3}}));
}

// After deleting the selected list the dialog must not find a neighbour selected, or its
// next save would write the shown items into that neighbour's file.
TEST(QuarnRows, DeletingTheSelectedRowOrAllOfThemLeavesNothingSelectedAndTellsItOnce) {
  for (int row : {0, 1, 2}) {
    SCOPED_TRACE(row);
    HeadlessBox f("ToDoItem", 3);
    f.box->SetCurSel(row);
    f.front->ForgetChanges();
    f.box->DeleteItem(static_cast<unsigned>(row));
    EXPECT_EQ(f.box->GetCurSel(), -1);
    EXPECT_EQ(f.Told(), (Changes{{Change::Removed, row}, {Change::Selected, -1}}));
  }
  HeadlessBox f("ToDoItem", 50);
  f.box->SetCurSel(10);
  f.front->ForgetChanges();
  f.box->ResetContent();
  EXPECT_EQ(f.box->GetCount(), 0);
  EXPECT_EQ(f.box->GetCurSel(), -1);
  EXPECT_EQ(f.Told(), (Changes{{Change::Reset, -1}}));  // once, whatever the row count
}

// The up and down commands move a row by taking it out, putting it back one place on and
// selecting it there.
TEST(QuarnRows, MoveTellsTheRowLeavingArrivingAndSelectedAtItsNewPlace) {
  HeadlessBox f("ToDoList", 3);
  f.box->SetCurSel(0);
  f.front->ForgetChanges();
  f.box->DeleteItem(0);
  PutRow(f.box.get(), "a", 1);
  f.box->SetCurSel(1);
  EXPECT_EQ(f.Told(), (Changes{{Change::Removed, 0},
                               {Change::Selected, -1},
                               {Change::Inserted, 1},
                               {Change::Selected, 1}}));
}

TEST(QuarnRows, BadIndexesChangeNothingTellNothingAndNeverCrash) {
  HeadlessBox f("ToDoItem", 0);
  PutRow(f.box.get(), "only", -1, 1, 5);
  f.box->SetCurSel(0);
  f.front->ForgetChanges();
  EXPECT_EQ(static_cast<CQuarnToDoListBox*>(f.box.get())->InsertItem(-1, 0, "x", 0), -1);
  EXPECT_EQ(PutRow(f.box.get(), "x", 3), -1);
  EXPECT_EQ(PutRow(f.box.get(), "x", 5), -1);
  EXPECT_EQ(f.box->DeleteItem(1), -1);
  EXPECT_EQ(f.box->DeleteItem(0xFFFFFFFFu), -1);
  EXPECT_EQ(f.box->SetCurSel(1), -1);
  EXPECT_EQ(f.box->SetCurSel(7), -1);
  EXPECT_EQ(f.box->SetCurSel(-2), -1);
  EXPECT_EQ(f.box->GetCurSel(), 0);
  f.box->SetItemColor(4, RGB(1, 2, 3));
  f.box->SetColumnWidth(7, 10);
  f.box->SetColumnLabel(-1, "x");
  char buffer[256] = "junk";
  EXPECT_EQ(f.box->GetText(1, buffer), -1);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(f.box->GetText(0, nullptr), -1);
  EXPECT_STREQ(f.box->GetItemText(-1), "");
  EXPECT_EQ(f.box->GetItemCheck(9), 0);
  EXPECT_EQ(f.box->GetItemData(9), 0u);
  EXPECT_EQ(f.box->GetCount(), 1);
  EXPECT_STREQ(f.box->GetItemText(0), "only");
  EXPECT_TRUE(f.Told().empty());
}

TEST(QuarnRows, NullTextsCountAsEmpty) {
  HeadlessBox f("ToDoList", 0);
  PutRow(f.box.get(), nullptr);
  PutRow(f.box.get(), nullptr, 0);
  f.box->SetColumnLabel(0, nullptr);
  EXPECT_STREQ(f.box->GetItemText(0), "");
  EXPECT_STREQ(f.box->GetItemText(1), "");
}

// A long text stays whole in the box; GetText fills a 256-byte buffer and never splits a
// double-byte character at the cut.
TEST(QuarnRows, LongTextsStayWholeAndGetTextCutsAtACharacterBoundary) {
  struct Case {
    std::string text;
    std::size_t copied;
  };
  const std::string kanji = "\x8A\xBF";  // one double-byte character
  const Case cases[] = {
      {std::string(255, 'a'), 255},
      {std::string(300, 'a'), 255},
      {std::string(254, 'a') + kanji, 254},  // the character would end at byte 256
      {std::string(253, 'a') + kanji + "b", 255},
      {std::string(254, 'a') + "\x8A", 255},  // a lone lead byte at the very end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    HeadlessBox f("ToDoItem", 0);
    PutRow(f.box.get(), c.text.c_str());
    char buffer[256 + 8];
    std::memset(buffer, 'Z', sizeof(buffer));
    EXPECT_EQ(f.box->GetText(0, buffer), static_cast<int>(c.copied));
    EXPECT_EQ(std::strlen(buffer), c.copied);
    EXPECT_EQ(buffer[256], 'Z') << "wrote past the 256-byte buffer";
    EXPECT_EQ(std::string(f.box->GetItemText(0)), c.text);
  }
}

// The rows' texts share one block: deleted rows leave bytes behind until the block is
// compacted, and a row may be made from another row's text while the block grows.
TEST(QuarnRows, TextsStayRightThroughDeletesCompactingAndCopiesOfRowTexts) {
  HeadlessBox f("ToDoItem", 0);
  CQuarnListBox* box = f.box.get();
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    expected.push_back(std::to_string(i) + std::string(100, static_cast<char>('a' + i % 26)));
    PutRow(box, expected.back().c_str(), -1, i % 2, static_cast<DWORD>(i));
  }
  // Every row but each tenth goes, from the middle outwards: far more bytes left behind than
  // in use, so the block is compacted on the way.
  for (int i = 2999; i >= 0; --i) {
    if (i % 10 == 0) continue;
    ASSERT_EQ(box->DeleteItem(static_cast<unsigned>(i)), static_cast<int>(expected.size()) - 1);
    expected.erase(expected.begin() + i);
  }
  ASSERT_EQ(box->GetCount(), 300);
  for (int i = 0; i < 300; ++i) {
    ASSERT_STREQ(box->GetItemText(i), expected[i].c_str()) << i;
    EXPECT_EQ(box->GetItemData(i), static_cast<DWORD>(i * 10));
  }
  // A copy of a row's own text, added while the block has to grow for it.
  for (int i = 0; i < 2000; ++i) {
    PutRow(box, box->GetItemText(i % 300));
    expected.push_back(expected[i % 300]);
  }
  PutRow(box, box->GetItemText(box->GetCount() - 1), 0);
  expected.insert(expected.begin(), expected.back());
  for (int i = 0; i < box->GetCount(); ++i) ASSERT_STREQ(box->GetItemText(i), expected[i].c_str());
  box->ResetContent();
  PutRow(box, "after reset");
  EXPECT_STREQ(box->GetItemText(0), "after reset");
}

TEST(QuarnRows, ProgramChangesRaiseNoEvents) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    HeadlessBox f(name, 0);
    PutRow(f.box.get(), "x", 0);
    PutRow(f.box.get(), "y");
    PutRow(f.box.get(), "z", 0);
    f.box->SetCurSel(1);
    f.box->SetCurSel(2);
    f.box->DeleteItem(2);
    f.box->SetCurSel(-1);
    f.box->RefreshCtrl();
    f.box->ResetContent();
    EXPECT_TRUE(f.log.events.empty()) << name;
  }
}

TEST(QuarnRows, SettingsAreKeptAndOddValuesIgnored) {
  HeadlessBox f("ToDoItem", 0);
  int before = f.front->Invalidations();
  f.box->SetColumnWidth(0, 65535);
  f.box->SetItemHeight(0);
  f.box->SetItemColor(0, RGB(255, 0, 0));
  f.box->SetCtrlFont(nullptr, 1);
  EXPECT_GT(f.front->Invalidations(), before);
  f.box->DestroyCtrl();
  f.box->DestroyCtrl();  // twice is harmless
  PutRow(f.box.get(), "after");
  EXPECT_EQ(f.box->GetCount(), 1);
}

}  // namespace
}  // namespace quarn_test
