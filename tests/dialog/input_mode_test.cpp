#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "dialog/todo_dialog.h"
#include "quarnctrl/quarn_headless.h"
#include "support/headless_window_ops.h"

namespace {

using todo::DialogControl;
using todo_test::HeadlessWindowOps;

struct DialogFixture {
  DialogFixture() : window(&busy), dialog(window, nullptr, busy) {
    RECT rect{0, 0, 100, 100};
    dialog.AttachBoxes(
        static_cast<CQuarnImageListBox*>(
            CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", &rect, 0)),
        static_cast<CQuarnToDoListBox*>(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoItem", &rect, 0)),
        nullptr);
  }
  std::atomic<int> busy{0};
  HeadlessWindowOps window;
  todo::ToDoDialog dialog;
};

DWORD Packed(int year, int month, int day) {
  return CQuarnListBox::ConvertToDateData(HeadlessWindowOps::Date(year, month, day));
}

TEST(InputMode, ReportedFromTheListModeButton) {
  DialogFixture f;
  char mode[16];
  f.dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ﾘｽﾄ一覧");
  f.window.CheckMode(false);
  f.dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ｱｲﾃﾑ一覧");
  EXPECT_EQ(std::strlen("ｱｲﾃﾑ一覧"), 8u) << "the names are half-width katakana";
}

TEST(InputMode, ListModeDisablesThePickerAndClearsTheNoDateBox) {
  DialogFixture f;
  f.window.checked[DialogControl::NoDateBox] = true;
  f.window.enabled[DialogControl::NoDateBox] = false;
  f.dialog.SetInputMode("ﾘｽﾄ一覧");
  EXPECT_FALSE(f.window.enabled[DialogControl::DatePicker]);
  EXPECT_TRUE(f.window.enabled[DialogControl::NoDateBox]);
  EXPECT_FALSE(f.window.checked[DialogControl::NoDateBox]);
}

TEST(InputMode, ItemModeOfADatedListEnablesThePickerOnly) {
  DialogFixture f;
  f.window.checked[DialogControl::NoDateBox] = true;
  f.window.enabled[DialogControl::DatePicker] = false;
  f.dialog.SetInputMode("ｱｲﾃﾑ一覧");
  EXPECT_TRUE(f.window.enabled[DialogControl::DatePicker]);
  EXPECT_FALSE(f.window.enabled[DialogControl::NoDateBox]);
  EXPECT_FALSE(f.window.checked[DialogControl::NoDateBox]);
}

TEST(InputMode, OtherTextsChangeNothing) {
  DialogFixture f;
  auto before = f.window.enabled;
  auto checkedBefore = f.window.checked;
  for (const char* text : {"", "list", "ﾘｽﾄ一覧 ", "ｱｲﾃﾑ", static_cast<const char*>(nullptr)}) {
    f.dialog.SetInputMode(text);
  }
  EXPECT_EQ(f.window.enabled, before);
  EXPECT_EQ(f.window.checked, checkedBefore);
}

// Rows are compared with today's UTC date; a day off would colour overdue items as due later.
TEST(ItemColours, ByDoneMarkAndDueDateAgainstTodayInUtc) {
  struct Case {
    int check;
    DWORD due;
    COLORREF colour;
  };
  const Case cases[] = {
      {0, Packed(2026, 12, 7), todo::kColourOverdue},
      {0, Packed(2026, 12, 8), todo::kColourDueToday},
      {0, Packed(2026, 12, 9), todo::kColourDueLater},
      {0, Packed(2025, 12, 31), todo::kColourOverdue},
      {0, Packed(2027, 1, 1), todo::kColourDueLater},
      {1, Packed(2026, 12, 7), todo::kColourDone},
      {1, Packed(2026, 12, 8), todo::kColourDone},
      {7, Packed(2030, 1, 1), todo::kColourDone},
  };
  DialogFixture f;
  for (const Case& c : cases) f.dialog.ItemBox()->AddItem(c.check, "item", c.due);
  // Bad rows are ignored.
  f.dialog.ColourItem(-1);
  f.dialog.ColourItem(99);
  quarn::HeadlessFront* front = quarn::HeadlessFrontOf(f.dialog.ItemBox());
  int row = 0;
  for (const Case& c : cases) {
    f.dialog.ColourItem(row);
    EXPECT_EQ(front->RowColour(row), c.colour) << "row " << row;
    ++row;
  }
  EXPECT_EQ(todo::kColourOverdue, 0xFF649Bu);
  EXPECT_EQ(todo::kColourDueToday, 0x0000FFu);
  EXPECT_EQ(todo::kColourNoDate, 0x000037u);
}

}  // namespace
