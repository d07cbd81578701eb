// The input mode, read and set by its name, and the colours of the items.

#include <cstring>
#include <iterator>

#include "dialog_fixture.h"

namespace todo_test {
namespace {

class InputMode : public DialogTest {};
class ItemColours : public DialogTest {};

TEST_F(InputMode, ReportedFromTheListModeButton) {
  char mode[16];
  dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ﾘｽﾄ一覧");
  window.CheckMode(false);
  dialog.GetInputMode(mode);
  EXPECT_STREQ(mode, "ｱｲﾃﾑ一覧");
  EXPECT_EQ(std::strlen("ｱｲﾃﾑ一覧"), 8u) << "the names are half-width katakana";
}

// List mode turns the date picker off and clears the no-date box, which it turns on; item mode
// of a dated list turns only the picker on. Any other text changes nothing.
TEST_F(InputMode, SetByItsWholeNameOnly) {
  for (bool listMode : {true, false}) {
    SCOPED_TRACE(listMode ? "list mode" : "item mode");
    window.checked[DialogControl::NoDateBox] = true;
    window.enabled[DialogControl::NoDateBox] = !listMode;
    window.enabled[DialogControl::DatePicker] = listMode;
    dialog.SetInputMode(listMode ? "ﾘｽﾄ一覧" : "ｱｲﾃﾑ一覧");
    EXPECT_EQ(window.enabled[DialogControl::DatePicker], !listMode);
    EXPECT_EQ(window.enabled[DialogControl::NoDateBox], listMode);
    EXPECT_FALSE(window.checked[DialogControl::NoDateBox]);
  }
  const auto enabled = window.enabled;
  const auto checked = window.checked;
  for (const char* text : {"", "list", "ﾘｽﾄ一覧 ", "ｱｲﾃﾑ", static_cast<const char*>(nullptr)}) {
    dialog.SetInputMode(text);
  }
  EXPECT_EQ(window.enabled, enabled);
  EXPECT_EQ(window.checked, checked);
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
  for (const Case& c : cases) items()->AddItem(c.check, "item", c.due);
  // Bad rows are ignored.
  dialog.ColourItem(-1);
  dialog.ColourItem(99);
  for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
    dialog.ColourItem(row);
    EXPECT_EQ(itemFront()->RowColour(row), cases[row].colour) << "row " << row;
  }
  EXPECT_EQ(todo::kColourOverdue, 0xFF649Bu);
  EXPECT_EQ(todo::kColourDueToday, 0x0000FFu);
  EXPECT_EQ(todo::kColourNoDate, 0x000037u);
}

}  // namespace
}  // namespace todo_test
