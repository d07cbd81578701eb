#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "dialog_fixture.h"

namespace {

using todo::DialogControl;
using todo_test::HeadlessWindowOps;

class InputMode : public todo_test::DialogTest {};
class ItemColours : public todo_test::DialogTest {};

DWORD Packed(int year, int month, int day) {
  return CQuarnListBox::ConvertToDateData(HeadlessWindowOps::Date(year, month, day));
}

TEST_F(InputMode, ReportedFromTheListModeButton) {
  char mode[16];
  dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ﾘｽﾄ一覧");
  window.CheckMode(false);
  dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ｱｲﾃﾑ一覧");
  EXPECT_EQ(std::strlen("ｱｲﾃﾑ一覧"), 8u) << "the names are half-width katakana";
}

TEST_F(InputMode, ListModeDisablesThePickerAndClearsTheNoDateBox) {
  window.checked[DialogControl::NoDateBox] = true;
  window.enabled[DialogControl::NoDateBox] = false;
  dialog.SetInputMode("ﾘｽﾄ一覧");
  EXPECT_FALSE(window.enabled[DialogControl::DatePicker]);
  EXPECT_TRUE(window.enabled[DialogControl::NoDateBox]);
  EXPECT_FALSE(window.checked[DialogControl::NoDateBox]);
}

TEST_F(InputMode, ItemModeOfADatedListEnablesThePickerOnly) {
  window.checked[DialogControl::NoDateBox] = true;
  window.enabled[DialogControl::DatePicker] = false;
  dialog.SetInputMode("ｱｲﾃﾑ一覧");
  EXPECT_TRUE(window.enabled[DialogControl::DatePicker]);
  EXPECT_FALSE(window.enabled[DialogControl::NoDateBox]);
  EXPECT_FALSE(window.checked[DialogControl::NoDateBox]);
}

TEST_F(InputMode, OtherTextsChangeNothing) {
  auto before = window.enabled;
  auto checkedBefore = window.checked;
  for (const char* text : {"", "list", "ﾘｽﾄ一覧 ", "ｱｲﾃﾑ", static_cast<const char*>(nullptr)}) {
    dialog.SetInputMode(text);
  }
  EXPECT_EQ(window.enabled, before);
  EXPECT_EQ(window.checked, checkedBefore);
}

// Rows are compared with today's UTC date; a day off would colour overdue items as due later.
TEST_F(ItemColours, ByDoneMarkAndDueDateAgainstTodayInUtc) {
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
  for (const Case& c : cases) dialog.ItemBox()->AddItem(c.check, "item", c.due);
  // Bad rows are ignored.
  dialog.ColourItem(-1);
  dialog.ColourItem(99);
  quarn::HeadlessFront* front = quarn::HeadlessFrontOf(dialog.ItemBox());
  int row = 0;
  for (const Case& c : cases) {
    dialog.ColourItem(row);
    EXPECT_EQ(front->RowColour(row), c.colour) << "row " << row;
    ++row;
  }
  EXPECT_EQ(todo::kColourOverdue, 0xFF649Bu);
  EXPECT_EQ(todo::kColourDueToday, 0x0000FFu);
  EXPECT_EQ(todo::kColourNoDate, 0x000037u);
}

}  // namespace
