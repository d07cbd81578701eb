// What the program does with a box: rows, selection, bad input. None of it raises an event.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace {

using quarn_test::BoxPtr;
using quarn_test::EventLog;
using quarn_test::MakeBox;

CQuarnImageListBox* Names(const BoxPtr& box) {
  return static_cast<CQuarnImageListBox*>(box.get());
}
CQuarnToDoListBox* Items(const BoxPtr& box) {
  return static_cast<CQuarnToDoListBox*>(box.get());
}

std::string Texts(CQuarnListBox* box) {
  std::string all;
  for (int i = 0; i < box->GetCount(); ++i) all += std::string(box->GetItemText(i)) + ";";
  return all;
}

TEST(QuarnFactory, NamesPickTheBoxAndUnknownNamesGiveNull) {
  RECT rect{0, 0, 10, 10};
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoNothing", &rect, 0), nullptr);
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, nullptr, &rect, 0), nullptr);
  EXPECT_EQ(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", nullptr, 0), nullptr);
  BoxPtr names = MakeBox("ToDoList");
  BoxPtr items = MakeBox("ToDoItem");
  ASSERT_NE(names, nullptr);
  ASSERT_NE(items, nullptr);
  // Only the item box has checks: a click on the check column of the list-name box is a
  // click on the name.
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

TEST(QuarnRows, InsertAndDeleteKeepTheSelectedRowSelected) {
  BoxPtr box = MakeBox("ToDoList");
  for (const char* name : {"a", "b", "c", "d"}) Names(box)->AddItem(nullptr, name, 0);
  box->SetCurSel(2);  // "c"
  EXPECT_EQ(Names(box)->InsertItem(0, nullptr, "new", 0), 0);
  EXPECT_STREQ(box->GetItemText(box->GetCurSel()), "c");
  EXPECT_EQ(box->DeleteItem(1), 4);  // "a"
  EXPECT_STREQ(box->GetItemText(box->GetCurSel()), "c");
  EXPECT_EQ(box->DeleteItem(3), 3);  // "d", after the selection
  EXPECT_STREQ(box->GetItemText(box->GetCurSel()), "c");
  EXPECT_EQ(Texts(box.get()), "new;b;c;");
}

// After deleting the selected list the dialog must not find a neighbour selected, or its
// next save would write the shown items into that neighbour's file.
TEST(QuarnRows, DeletingTheSelectedRowLeavesNothingSelected) {
  BoxPtr box = MakeBox("ToDoItem");
  for (const char* text : {"a", "b", "c"}) Items(box)->AddItem(0, text, 0);
  for (int row : {0, 1, 2}) {
    BoxPtr copy = MakeBox("ToDoItem");
    for (const char* text : {"a", "b", "c"}) Items(copy)->AddItem(0, text, 0);
    copy->SetCurSel(row);
    copy->DeleteItem(static_cast<unsigned>(row));
    EXPECT_EQ(copy->GetCurSel(), -1) << "row " << row;
  }
  box->SetCurSel(1);
  box->ResetContent();
  EXPECT_EQ(box->GetCount(), 0);
  EXPECT_EQ(box->GetCurSel(), -1);
}

TEST(QuarnRows, AddAppendsAndInsertAtTheEndAppends) {
  BoxPtr box = MakeBox("ToDoItem");
  EXPECT_EQ(Items(box)->AddItem(0, "first", 7), 0);
  EXPECT_EQ(Items(box)->AddItem(1, "second", 8), 1);
  EXPECT_EQ(Items(box)->InsertItem(2, 0, "third", 9), 2);
  EXPECT_EQ(Texts(box.get()), "first;second;third;");
  EXPECT_EQ(box->GetItemCheck(1), 1);
  EXPECT_EQ(box->GetItemData(2), 9u);
  EXPECT_EQ(box->GetItemDate(2), 9u);
}

TEST(QuarnRows, BadIndexesChangeNothingAndNeverCrash) {
  BoxPtr box = MakeBox("ToDoItem");
  Items(box)->AddItem(1, "only", 5);
  box->SetCurSel(0);
  EXPECT_EQ(Items(box)->InsertItem(-1, 0, "x", 0), -1);
  EXPECT_EQ(Items(box)->InsertItem(3, 0, "x", 0), -1);
  EXPECT_EQ(box->DeleteItem(1), -1);
  EXPECT_EQ(box->DeleteItem(0xFFFFFFFFu), -1);
  EXPECT_EQ(box->SetCurSel(1), -1);
  EXPECT_EQ(box->SetCurSel(-2), -1);
  EXPECT_EQ(box->GetCurSel(), 0);
  box->SetItemColor(4, RGB(1, 2, 3));
  box->SetColumnWidth(7, 10);
  box->SetColumnLabel(-1, "x");
  char buffer[256] = "junk";
  EXPECT_EQ(box->GetText(1, buffer), -1);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(box->GetText(0, nullptr), -1);
  EXPECT_STREQ(box->GetItemText(-1), "");
  EXPECT_EQ(box->GetItemCheck(9), 0);
  EXPECT_EQ(box->GetItemData(9), 0u);
  EXPECT_EQ(box->GetCount(), 1);
  EXPECT_STREQ(box->GetItemText(0), "only");
}

TEST(QuarnRows, NullTextsCountAsEmpty) {
  BoxPtr box = MakeBox("ToDoList");
  Names(box)->AddItem(nullptr, nullptr, 0);
  Names(box)->InsertItem(0, nullptr, nullptr, 0);
  box->SetColumnLabel(0, nullptr);
  EXPECT_STREQ(box->GetItemText(0), "");
  EXPECT_STREQ(box->GetItemText(1), "");
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
    BoxPtr box = MakeBox("ToDoItem");
    Items(box)->AddItem(0, c.text.c_str(), 0);
    char buffer[256 + 8];
    std::memset(buffer, 'Z', sizeof(buffer));
    EXPECT_EQ(box->GetText(0, buffer), static_cast<int>(c.copied)) << c.text.size();
    EXPECT_EQ(std::strlen(buffer), c.copied);
    EXPECT_EQ(buffer[256], 'Z') << "wrote past the 256-byte buffer";
    EXPECT_EQ(std::string(box->GetItemText(0)), c.text);
  }
}

// The rows' texts share one block: deleted rows leave bytes behind until the block is
// compacted, and a row may be made from another row's text while the block grows.
TEST(QuarnRows, TextsStayRightThroughDeletesCompactingAndCopiesOfRowTexts) {
  BoxPtr box = MakeBox("ToDoItem");
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    expected.push_back(std::to_string(i) + std::string(100, static_cast<char>('a' + i % 26)));
    Items(box)->AddItem(i % 2, expected.back().c_str(), static_cast<DWORD>(i));
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
    Items(box)->AddItem(0, box->GetItemText(i % 300), 0);
    expected.push_back(expected[i % 300]);
  }
  Items(box)->InsertItem(0, 0, box->GetItemText(box->GetCount() - 1), 0);
  expected.insert(expected.begin(), expected.back());
  for (int i = 0; i < box->GetCount(); ++i) ASSERT_STREQ(box->GetItemText(i), expected[i].c_str());
  box->ResetContent();
  Items(box)->AddItem(0, "after reset", 0);
  EXPECT_STREQ(box->GetItemText(0), "after reset");
}

TEST(QuarnRows, ProgramChangesRaiseNoEvents) {
  for (const char* name : {"ToDoList", "ToDoItem"}) {
    BoxPtr box = MakeBox(name);
    EventLog log;
    quarn_test::RecordAllEvents(box.get(), &log);
    bool isNames = std::strcmp(name, "ToDoList") == 0;
    for (int i = 0; i < 3; ++i) {
      if (isNames) {
        Names(box)->InsertItem(0, nullptr, "x", 0);
      } else {
        Items(box)->AddItem(0, "x", 0);
      }
    }
    box->SetCurSel(1);
    box->SetCurSel(2);
    box->DeleteItem(2);
    box->SetCurSel(-1);
    box->RefreshCtrl();
    box->ResetContent();
    EXPECT_TRUE(log.events.empty()) << name;
  }
}

TEST(QuarnRows, SettingsAreKeptAndOddValuesIgnored) {
  BoxPtr box = MakeBox("ToDoItem");
  quarn::HeadlessFront* front = quarn::HeadlessFrontOf(box.get());
  int before = front->Invalidations();
  box->SetColumnWidth(0, 65535);
  box->SetItemHeight(0);
  box->SetItemColor(0, RGB(255, 0, 0));
  box->SetCtrlFont(nullptr, 1);
  EXPECT_GT(front->Invalidations(), before);
  box->DestroyCtrl();
  box->DestroyCtrl();  // twice is harmless
  Items(box)->AddItem(0, "after", 0);
  EXPECT_EQ(box->GetCount(), 1);
}

}  // namespace
