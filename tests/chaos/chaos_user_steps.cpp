// The user's steps of the chaos walk, other than in-place edits: typing, the date picker, the
// mode buttons and the no-date box, adding, moving, deleting and clearing lists and items,
// clicks on the rows of both boxes, Esc in the text box, and answers to message boxes. Each
// step brings the model to what the tool should then show and store.

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

// What a user does to add an item: a list that can hold it selected, the item mode, a text,
// a date, the button.
void HostChaos::AddItemToAList() {
  std::vector<int> storable;
  for (int row = 0; row < static_cast<int>(m_model.rows.size()); ++row) {
    if (m_model.HasFile(row)) storable.push_back(row);
  }
  if (m_model.selected < 0 || !m_model.HasFile(m_model.selected) || Pick(4) == 0) {
    if (storable.empty()) return;
    // A click on the selected row of the focused box would begin a rename: only another row.
    const int row = PickOf(storable);
    if (row != m_model.selected) ClickRow(true, row, kNameX);
  }
  ClickModeButton(false);
  TypeText();
  PickDate();
  Add(Pick(2) == 0);
}

void HostChaos::TypeText() {
  std::string text;
  if (m_model.listMode ? Pick(4) != 0 : Pick(4) == 0) {
    text = Pick(3) == 0 ? "新規" + std::to_string(++m_freshNames) : PickOf(kTypedNames);
  } else {
    text = PickOf(kItemTexts);
  }
  Note("type \"" + text + "\"");
  ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  m_model.text = text;
}

void HostChaos::PickDate() {
  const Date& date = kDates[Pick(4)];
  Note("pick " + std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
       std::to_string(date.day));
  SetPickerDate(Control(kDatePicker), date);
  m_model.picker = date;
}

void HostChaos::ClickModeButton(bool names) {
  Note(names ? "list mode button" : "item mode button");
  Press(names ? kListModeButton : kItemModeButton);
  m_model.Activate(names);
}

void HostChaos::ToggleNoDate() {
  if (!m_model.listMode) return;  // disabled in item mode
  Note("no-date box");
  Press(kNoDateBox);
  m_model.noDateBox = !m_model.noDateBox;
}

void HostChaos::AddEntry(bool atBottom) {
  // Mostly the user types first.
  if (Pick(5) != 0) TypeText();
  if (!m_model.listMode && Pick(4) != 0) PickDate();
  Add(atBottom);
}

void HostChaos::Add(bool atBottom) {
  const bool checked = ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (m_model.listMode) {
    EXPECT_EQ(m_model.noDateBox, checked) << "the no-date box as the user left it";
    // A list more would not show without scrolling.
    if (!m_model.NewListRefusal() && static_cast<int>(m_model.rows.size()) >= kMostLists) {
      return Remove(false);
    }
  } else if (static_cast<int>(m_model.shown.size()) >= kMostItems) {
    return;
  }
  Note(std::string(m_model.listMode ? "add list" : "add item") + (atBottom ? " at bottom" : "") +
       " \"" + m_model.text + "\"");
  Expect(m_model.Add(atBottom, checked));
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::Move(int step) {
  Note(step < 0 ? "up" : "down");
  m_model.Move(step);
  Press(step < 0 ? kMoveUp : kMoveDown);
}

void HostChaos::Remove(bool all) {
  Note(all ? "clear" : "delete");
  Expect(m_model.RemoveQuestion(all), true, [this, all] { m_model.Remove(all); });
  Press(all ? kClear : kDelete);
}

void HostChaos::ClickRandomRow(bool names) {
  const int count = RowCount(names);
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  // The selected row often: a second click on it in the focused box starts an edit.
  const int selected = names ? m_model.selected : m_model.itemSelected;
  if (selected >= 0 && Pick(names ? 4 : 3) == 0) row = selected;
  ClickRow(names, row, names ? kNameX : std::vector<int>{kCheckX, kTextX, kDateX}[Pick(3)]);
}

void HostChaos::ClickRow(bool names, int row, int x) {
  HWND box = Box(names);
  const bool hadFocus = FocusIn(box);
  Note((names ? "click list row " : "click item row ") + std::to_string(row) +
       (!names     ? " at x " + std::to_string(x)
        : row >= 0 ? " \"" + m_model.rows[row] + "\""
                   : std::string()) +
       (hadFocus ? " (focused)" : ""));
  const bool startsEdit =
      names ? m_model.ClickList(row, hadFocus) : m_model.ClickItem(row, hadFocus, x == kCheckX);
  ClickAt(box, x, RowY(names, row >= 0 ? row : RowCount(names)));
  if (!startsEdit) return;
  // The edit begins once no second click of a double-click can come any more.
  EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(box) != nullptr; }, 4000))
      << "a click on the selected row of the focused box starts an in-place edit";
  Settle();
  // Without dates the text column covers the date column's place.
  EditorOpened(names, !names && x == kDateX && !m_model.shownNoDate, row);
}

// The user leaves the window alone for longer than the tool waits before it saves.
void HostChaos::Pause() {
  Note("the user pauses for 1.5 s");
  chaos::WaitFor([] { return false; }, 1500);
  m_model.SaveShown();
  m_model.SaveNames();
  // A slow machine may run the timer late: the files are given a moment more, never less.
  chaos::WaitFor([&] { return FilesAsModelled(); }, 2000);
}

void HostChaos::EscapeInTextBox() {
  Note("Esc in the text box");
  Key(Control(kTextBox), VK_ESCAPE);
}

void HostChaos::AnswerBox() {
  const ExpectedBox expected = *m_box;
  chaos::ModalWindows modal = chaos::ModalWindowsOf(m_toolThread);
  ASSERT_EQ(1u, modal.messageBoxes.size());
  // Clearing every list is answered Yes seldom, or little would be left to work with.
  const bool yes = Pick(expected.text == kClearLists ? 5 : 2) == 0;
  const int answer = !expected.yesNo ? IDOK : yes ? IDYES : IDNO;
  Note(answer == IDYES ? "answer Yes" : answer == IDNO ? "answer No" : "answer OK");
  HWND box = modal.messageBoxes[0];
  m_box.reset();
  if (answer == IDYES && expected.onYes) expected.onYes();
  EXPECT_TRUE(todo_test::tool_window::AnswerBox(box, answer)) << "the answered box closes";
  Settle();
}

}  // namespace chaos
