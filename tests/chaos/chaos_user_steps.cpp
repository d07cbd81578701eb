// The user's steps of the chaos walk, other than in-place edits: typing, the date picker, the
// mode buttons and the no-date box, adding, moving, deleting and clearing lists and items,
// clicks on the rows of both boxes, Esc in the text box, and answers to message boxes. Each
// step brings the model to what the tool should then show and store.

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "chaos/chaos_text.h"
#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

// What a user does to add an item: a list that can hold it selected, the item mode, a text,
// a date, the button.
void HostChaos::AddItemToAList() {
  std::vector<int> storable;
  for (int row = 0; row < static_cast<int>(m_model.rows.size()); ++row) {
    if (m_model.rows[row].hasFile) storable.push_back(row);
  }
  if (m_model.selected < 0 || !m_model.rows[m_model.selected].hasFile || Pick(4) == 0) {
    if (storable.empty()) return;
    // A click on the selected row of the focused box would begin a rename: only another row.
    const int row = PickOf(storable);
    if (row != m_model.selected) {
      Note("click list row " + std::to_string(row) + " \"" + m_model.rows[row].name + "\"");
      ActivateNames();
      SaveShown();
      m_model.selected = row;
      LoadSelected();
      ClickAt(m_listBox, 60, row * kNameRowHeight + kNameRowHeight / 2);
    }
  }
  ClickModeButton(false);
  TypeText();
  PickDate();
  AddItem(Pick(2) == 0);
}

void HostChaos::TypeText() {
  std::string text;
  if (m_model.listMode ? Pick(4) != 0 : Pick(4) == 0) {
    text = Pick(3) == 0 ? "新規" + std::to_string(++m_freshNames) : PickOf(kTypedNames).text;
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
  names ? ActivateNames() : ActivateItems();
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
  m_model.listMode ? AddList(atBottom) : AddItem(atBottom);
}

void HostChaos::AddList(bool atBottom) {
  const std::string name = AsOneLine(m_model.text);
  const bool checked = ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
  EXPECT_EQ(m_model.noDateBox, checked) << "the no-date box as the user left it";
  bool taken = m_model.files.count(Folded(name)) != 0;
  for (const Row& row : m_model.rows) taken = taken || Folded(row.name) == Folded(name);
  const NameKind kind = KindOf(m_model.text);
  if (!name.empty() && kind == NameKind::kGood && !taken &&
      static_cast<int>(m_model.rows.size()) >= kMostLists) {
    return DeleteEntry();  // a list more would not show without scrolling
  }
  Note(std::string(atBottom ? "add list at bottom" : "add list") + " \"" + name + "\"");
  if (name.empty()) {
    Expect({kEnterListName});
  } else if (kind == NameKind::kRefused) {
    Expect({kBadListName});
  } else if (kind == NameKind::kHidesSeparator) {
    Expect({kBadListName, kCannotCreate});
  } else if (taken) {
    Expect({kListExists});
  } else {
    SaveShown();
    m_model.files[Folded(name)] = StoredList{name, checked, {}};
    const int at = atBottom ? static_cast<int>(m_model.rows.size()) : 0;
    m_model.rows.insert(m_model.rows.begin() + at, Row{name, true});
    m_model.selected = at;
    m_model.shown.clear();
    m_model.shownNoDate = checked;
    m_model.itemSelected = -1;
    m_model.noDateBox = checked;
    m_model.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::AddItem(bool atBottom) {
  if (static_cast<int>(m_model.shown.size()) >= kMostItems) return;
  Note(std::string(atBottom ? "add item at bottom" : "add item") + " \"" + m_model.text + "\"");
  if (m_model.selected < 0) {
    Expect({kNoListSelected});
  } else if (!m_model.rows[m_model.selected].hasFile) {
    Expect({kListNotStorable});  // the item could never be saved
  } else if (m_model.text.empty()) {
    Expect({kEnterItem});
  } else {
    Item item{0, m_model.picker, AsOneLine(m_model.text), NewId()};
    if (atBottom) {
      m_model.shown.push_back(item);
    } else {
      m_model.shown.insert(m_model.shown.begin(), item);
      if (m_model.itemSelected >= 0) ++m_model.itemSelected;
    }
    m_model.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::Move(int step) {
  Note(step < 0 ? "up" : "down");
  if (m_model.listMode) {
    int& at = m_model.selected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(m_model.rows.size())) {
      std::swap(m_model.rows[at], m_model.rows[at + step]);
      at += step;
    }
  } else {
    int& at = m_model.itemSelected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(m_model.shown.size())) {
      std::swap(m_model.shown[at], m_model.shown[at + step]);
      at += step;
    }
  }
  Press(step < 0 ? kMoveUp : kMoveDown);
}

void HostChaos::DeleteEntry() {
  Note("delete");
  if (m_model.listMode && m_model.selected >= 0) {
    const int at = m_model.selected;
    Expect({kDeleteList}, true, [this, at] {
      if (m_model.rows[at].hasFile) m_model.files.erase(Folded(m_model.rows[at].name));
      m_model.unsavedLists.clear();  // the shown list's file is gone at once, never saved again
      m_model.rows.erase(m_model.rows.begin() + at);
      m_model.selected = -1;
      m_model.shown.clear();  // not saved anywhere
      m_model.itemSelected = -1;
    });
  } else if (!m_model.listMode && m_model.itemSelected >= 0) {
    Expect({kDeleteItem}, true, [this] {
      m_model.shown.erase(m_model.shown.begin() + m_model.itemSelected);
      if (m_model.itemSelected >= static_cast<int>(m_model.shown.size())) --m_model.itemSelected;
    });
  }
  Press(kDelete);
}

void HostChaos::ClearBox() {
  Note("clear");
  if (m_model.listMode && !m_model.rows.empty()) {
    Expect({kClearLists}, true, [this] {
      for (const Row& row : m_model.rows) {
        if (row.hasFile) m_model.files.erase(Folded(row.name));
      }
      m_model.unsavedLists.clear();
      m_model.rows.clear();
      m_model.selected = -1;
      m_model.shown.clear();
      m_model.itemSelected = -1;
    });
  } else if (!m_model.listMode && !m_model.shown.empty()) {
    Expect({kClearItems}, true, [this] {
      m_model.shown.clear();
      m_model.itemSelected = -1;
    });
  }
  Press(kClear);
}

void HostChaos::ClickListRow() {
  const int count = static_cast<int>(m_model.rows.size());
  // The selected row often: a second click on it in the focused box starts a rename.
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (m_model.selected >= 0 && Pick(4) == 0) row = m_model.selected;
  const bool hadFocus = FocusIn(m_listBox);
  Note("click list row " + std::to_string(row) +
       (row >= 0 ? " \"" + m_model.rows[row].name + "\"" : std::string()) +
       (hadFocus ? " (focused)" : ""));
  const int y = row >= 0 ? row * kNameRowHeight + kNameRowHeight / 2
                         : count * kNameRowHeight + kNameRowHeight / 2;
  const bool startsRename = row >= 0 && row == m_model.selected && hadFocus;
  ActivateNames();
  if (row >= 0 && row != m_model.selected) {
    SaveShown();
    m_model.selected = row;
    LoadSelected();
  }
  ClickRow(m_listBox, 60, y, startsRename, false, row);
}

void HostChaos::ClickItemRow() {
  const int count = static_cast<int>(m_model.shown.size());
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (m_model.itemSelected >= 0 && Pick(3) == 0) row = m_model.itemSelected;
  ClickItemRowAt(row, std::vector<int>{kCheckX, kTextX, kDateX}[static_cast<std::size_t>(Pick(3))]);
}

void HostChaos::ClickItemRowAt(int row, int x) {
  const int count = static_cast<int>(m_model.shown.size());
  const bool hadFocus = FocusIn(m_itemBox);
  Note("click item row " + std::to_string(row) + " at x " + std::to_string(x) +
       (hadFocus ? " (focused)" : ""));
  const int y = kItemHeaderHeight + (row >= 0 ? row : count) * kItemRowHeight + kItemRowHeight / 2;
  ActivateItems();
  bool editPending = false;
  bool date = false;
  if (row >= 0 && row != m_model.itemSelected) {
    m_model.itemSelected = row;
  } else if (row >= 0 && hadFocus) {
    if (x == kCheckX) {
      m_model.shown[row].check = m_model.shown[row].check == 0 ? 1 : 0;
    } else {
      // Without dates the text column covers the date column's place.
      editPending = true;
      date = x == kDateX && !m_model.shownNoDate;
    }
  }
  ClickRow(m_itemBox, x, y, editPending, date, row);
}

void HostChaos::ClickRow(HWND box, int x, int y, bool startsEdit, bool date, int row) {
  ClickAt(box, x, y);
  if (!startsEdit) return;
  // The edit begins once no second click of a double-click can come any more.
  EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(box) != nullptr; }, 4000))
      << "a click on the selected row of the focused box starts an in-place edit";
  Settle();
  EditorOpened(box == m_listBox, date, row);
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
  const bool yes = Pick(expected.texts[0] == kClearLists ? 5 : 2) == 0;
  const int answer = !expected.yesNo ? IDOK : yes ? IDYES : IDNO;
  Note(answer == IDYES ? "answer Yes" : answer == IDNO ? "answer No" : "answer OK");
  HWND box = modal.messageBoxes[0];
  m_box.reset();
  if (answer == IDYES && expected.onYes) expected.onYes();
  EXPECT_TRUE(todo_test::tool_window::AnswerBox(box, answer)) << "the answered box closes";
  Settle();
}

}  // namespace chaos
