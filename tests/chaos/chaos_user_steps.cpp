// The user's steps of the chaos walk, other than in-place edits: typing, the date picker, the
// mode buttons and the no-date box, adding, moving, deleting and clearing lists and items,
// clicks on the rows of both boxes, Esc in the text box, and answers to message boxes. Each
// step brings the model to what the tool should then show and store.

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "chaos/chaos_controls.h"
#include "chaos/chaos_text.h"

namespace chaos {

// What a user does to add an item: a list that can hold it selected, the item mode, a text,
// a date, the button.
void HostChaos::AddItemToAList() {
  std::vector<int> storable;
  for (int row = 0; row < static_cast<int>(model_.rows.size()); ++row) {
    if (model_.rows[row].hasFile) storable.push_back(row);
  }
  if (model_.selected < 0 || !model_.rows[model_.selected].hasFile || Pick(4) == 0) {
    if (storable.empty()) return;
    // A click on the selected row of the focused box would begin a rename: only another row.
    const int row = PickOf(storable);
    if (row != model_.selected) {
      Note("click list row " + std::to_string(row) + " \"" + model_.rows[row].name + "\"");
      ActivateNames();
      SaveShown();
      model_.selected = row;
      LoadSelected();
      ClickAt(listBox_, 60, row * kNameRowHeight + kNameRowHeight / 2);
    }
  }
  ClickModeButton(false);
  TypeText();
  PickDate();
  AddItem(Pick(2) == 0);
}

void HostChaos::TypeText() {
  std::string text;
  if (model_.listMode ? Pick(4) != 0 : Pick(4) == 0) {
    text = Pick(3) == 0 ? "新規" + std::to_string(++freshNames_) : PickOf(kTypedNames).text;
  } else {
    text = PickOf(kItemTexts);
  }
  Note("type \"" + text + "\"");
  ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  model_.text = text;
}

void HostChaos::PickDate() {
  const Date& date = kDates[Pick(4)];
  Note("pick " + std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
       std::to_string(date.day));
  SetPickerDate(Control(kDatePicker), date);
  model_.picker = date;
}

void HostChaos::ClickModeButton(bool names) {
  Note(names ? "list mode button" : "item mode button");
  Press(names ? kListModeButton : kItemModeButton);
  names ? ActivateNames() : ActivateItems();
}

void HostChaos::ToggleNoDate() {
  if (!model_.listMode) return;  // disabled in item mode
  Note("no-date box");
  Press(kNoDateBox);
  model_.noDateBox = !model_.noDateBox;
}

void HostChaos::AddEntry(bool atBottom) {
  // Mostly the user types first.
  if (Pick(5) != 0) TypeText();
  if (!model_.listMode && Pick(4) != 0) PickDate();
  model_.listMode ? AddList(atBottom) : AddItem(atBottom);
}

void HostChaos::AddList(bool atBottom) {
  const std::string name = AsOneLine(model_.text);
  const bool checked = ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
  EXPECT_EQ(model_.noDateBox, checked) << "the no-date box as the user left it";
  bool taken = model_.files.count(Folded(name)) != 0;
  for (const Row& row : model_.rows) taken = taken || Folded(row.name) == Folded(name);
  const NameKind kind = KindOf(model_.text);
  if (!name.empty() && kind == NameKind::kGood && !taken &&
      static_cast<int>(model_.rows.size()) >= kMostLists) {
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
    model_.files[Folded(name)] = StoredList{name, checked, {}};
    const int at = atBottom ? static_cast<int>(model_.rows.size()) : 0;
    model_.rows.insert(model_.rows.begin() + at, Row{name, true});
    model_.selected = at;
    model_.shown.clear();
    model_.shownNoDate = checked;
    model_.itemSelected = -1;
    model_.noDateBox = checked;
    model_.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::AddItem(bool atBottom) {
  if (static_cast<int>(model_.shown.size()) >= kMostItems) return;
  Note(std::string(atBottom ? "add item at bottom" : "add item") + " \"" + model_.text + "\"");
  if (model_.selected < 0) {
    Expect({kNoListSelected});
  } else if (!model_.rows[model_.selected].hasFile) {
    Expect({kListNotStorable});  // the item could never be saved
  } else if (model_.text.empty()) {
    Expect({kEnterItem});
  } else {
    Item item{0, model_.picker, AsOneLine(model_.text)};
    if (atBottom) {
      model_.shown.push_back(item);
    } else {
      model_.shown.insert(model_.shown.begin(), item);
      if (model_.itemSelected >= 0) ++model_.itemSelected;
    }
    model_.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::Move(int step) {
  Note(step < 0 ? "up" : "down");
  if (model_.listMode) {
    int& at = model_.selected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(model_.rows.size())) {
      std::swap(model_.rows[at], model_.rows[at + step]);
      at += step;
    }
  } else {
    int& at = model_.itemSelected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(model_.shown.size())) {
      std::swap(model_.shown[at], model_.shown[at + step]);
      at += step;
    }
  }
  Press(step < 0 ? kUp : kDown);
}

void HostChaos::DeleteEntry() {
  Note("delete");
  if (model_.listMode && model_.selected >= 0) {
    const int at = model_.selected;
    Expect({kDeleteList}, true, [this, at] {
      if (model_.rows[at].hasFile) model_.files.erase(Folded(model_.rows[at].name));
      model_.rows.erase(model_.rows.begin() + at);
      model_.selected = -1;
      model_.shown.clear();  // not saved anywhere
      model_.itemSelected = -1;
    });
  } else if (!model_.listMode && model_.itemSelected >= 0) {
    Expect({kDeleteItem}, true, [this] {
      model_.shown.erase(model_.shown.begin() + model_.itemSelected);
      if (model_.itemSelected >= static_cast<int>(model_.shown.size())) --model_.itemSelected;
    });
  }
  Press(kDelete);
}

void HostChaos::ClearBox() {
  Note("clear");
  if (model_.listMode && !model_.rows.empty()) {
    Expect({kClearLists}, true, [this] {
      for (const Row& row : model_.rows) {
        if (row.hasFile) model_.files.erase(Folded(row.name));
      }
      model_.rows.clear();
      model_.selected = -1;
      model_.shown.clear();
      model_.itemSelected = -1;
    });
  } else if (!model_.listMode && !model_.shown.empty()) {
    Expect({kClearItems}, true, [this] {
      model_.shown.clear();
      model_.itemSelected = -1;
    });
  }
  Press(kClear);
}

void HostChaos::ClickListRow() {
  const int count = static_cast<int>(model_.rows.size());
  // The selected row often: a second click on it in the focused box starts a rename.
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (model_.selected >= 0 && Pick(4) == 0) row = model_.selected;
  const bool hadFocus = FocusIn(listBox_);
  Note("click list row " + std::to_string(row) +
       (row >= 0 ? " \"" + model_.rows[row].name + "\"" : std::string()) +
       (hadFocus ? " (focused)" : ""));
  const int y = row >= 0 ? row * kNameRowHeight + kNameRowHeight / 2
                         : count * kNameRowHeight + kNameRowHeight / 2;
  const bool startsRename = row >= 0 && row == model_.selected && hadFocus;
  ActivateNames();
  if (row >= 0 && row != model_.selected) {
    SaveShown();
    model_.selected = row;
    LoadSelected();
  }
  ClickAt(listBox_, 60, y);
  if (startsRename) {
    // The edit begins once no second click of a double-click can come any more.
    EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(listBox_) != nullptr; }, 4000))
        << "a click on the selected row of the focused box starts a rename";
    Settle();
    EditorOpened(true, false, row);
  }
}

void HostChaos::ClickItemRow() {
  const int count = static_cast<int>(model_.shown.size());
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (model_.itemSelected >= 0 && Pick(3) == 0) row = model_.itemSelected;
  const int x = std::vector<int>{kCheckX, kTextX, kDateX}[static_cast<std::size_t>(Pick(3))];
  const bool hadFocus = FocusIn(itemBox_);
  Note("click item row " + std::to_string(row) + " at x " + std::to_string(x) +
       (hadFocus ? " (focused)" : ""));
  const int y = kItemHeader + (row >= 0 ? row : count) * kItemRowHeight + kItemRowHeight / 2;
  ActivateItems();
  bool editPending = false;
  bool date = false;
  if (row >= 0 && row != model_.itemSelected) {
    model_.itemSelected = row;
  } else if (row >= 0 && hadFocus) {
    if (x == kCheckX) {
      model_.shown[row].check = model_.shown[row].check == 0 ? 1 : 0;
    } else {
      // Without dates the text column covers the date column's place.
      editPending = true;
      date = x == kDateX && !model_.shownNoDate;
    }
  }
  ClickAt(itemBox_, x, y);
  if (editPending) {
    EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(itemBox_) != nullptr; }, 4000))
        << "a click on the selected row of the focused box starts an edit";
    Settle();
    EditorOpened(false, date, row);
  }
}

void HostChaos::EscapeInTextBox() {
  Note("Esc in the text box");
  Key(Control(kTextBox), VK_ESCAPE);
}

void HostChaos::AnswerBox() {
  const ExpectedBox expected = *box_;
  chaos::ModalWindows modal = chaos::ModalWindowsOf(toolThread_);
  ASSERT_EQ(1u, modal.messageBoxes.size());
  // Clearing every list is answered Yes seldom, or little would be left to work with.
  const bool yes = Pick(expected.texts[0] == kClearLists ? 5 : 2) == 0;
  const int answer = !expected.yesNo ? IDOK : yes ? IDYES : IDNO;
  Note(answer == IDYES ? "answer Yes" : answer == IDNO ? "answer No" : "answer OK");
  HWND box = modal.messageBoxes[0];
  box_.reset();
  if (answer == IDYES && expected.onYes) expected.onYes();
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  EXPECT_TRUE(chaos::WaitFor([&] { return !IsWindow(box); })) << "the answered box closes";
  Settle();
}

}  // namespace chaos
