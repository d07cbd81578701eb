// A long random walk of user actions in both modes against the model of the lists
// (support/list_model.h). After every step the boxes must show the model, and every list file
// must hold what the model says was saved: nothing lost, nothing duplicated, no file of a
// removed list.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "support/list_model.h"
#include "support/list_rules.h"

namespace {

using todo::DialogControl;
using todo::MessageAnswer;
using todo_test::lists::Date;
using todo_test::lists::Item;

const std::string kLong(300, 'n');
const std::vector<std::string> kNames = {
    "work", "Work",   "home", "\x83\x5C\x95\x5C", "\x83\x7C", "\x83\x58", "\x83\x78", "a|b",
    "CON",  "orphan", "",     "shop\r\nlist",     kLong,      "\xB1\xB2", "x y"};
// The last text is cut: as one line its double-byte character would end at byte 254.
const std::string kLongText = std::string(252, 'x') + "\x82\xA0" + "end";
const std::vector<std::string> kTexts = {
    "milk",   "call, then write", "NO_DATE", "  spaced  ",  "\x83\x5C\x95\x5C",
    "a\r\nb", "tab\there",        "",        "back\\slash", kLongText};
const Date kDates[] = {{2026, 12, 7}, {2026, 12, 8}, {2026, 12, 9}, {2027, 1, 1}};
const QuarnColumn kColumns[] = {QUARN_COLUMN_TEXT, QUARN_COLUMN_CHECK};
const quarn::Key kKeys[] = {quarn::Key::Up, quarn::Key::Down, quarn::Key::Home, quarn::Key::End};
const char kOrphanFile[] = "0,2026,1,1,not a list\r\n";

SYSTEMTIME SystemTime(const Date& date) {
  return todo_test::HeadlessWindowOps::Date(date.year, date.month, date.day);
}

class RandomWalk : public todo_test::DialogTest, protected todo_test::lists::RandomSteps {
 protected:
  void SetUp() override {
    Write(ListFile("orphan"), kOrphanFile);
    dialog.LoadListNames();
    m_.files["ORPHAN"] = {"orphan", false, {{0, {2026, 1, 1}, "not a list"}}};
    m_.picker = {window.pickerDate.wYear, window.pickerDate.wMonth, window.pickerDate.wDay};
    m_.folderPathBytes = storage::ListFolderPath(m_folder.Path()).size() + 1;
  }

  // Takes `steps` steps from `seed`, then closes and opens the window and checks every file.
  void Walk(unsigned seed, bool withUndo) {
    m_random.seed(seed);
    for (int step = 0; step < 3000 && !HasFailure(); ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      window.messages.clear();
      window.answers.clear();
      m_messages.clear();
      Step(withUndo);
    }
    Reopen();
    CheckFiles(true);
  }

  // The user clicks a button or a box: the other controls lose the focus.
  void FocusLeavesBoxes() {
    nameFront()->Blur();
    itemFront()->Blur();
  }
  quarn::HeadlessFront* Front(bool names) { return names ? nameFront() : itemFront(); }
  // Focuses a box, which activates it unless it had the focus (a click into it always does).
  void FocusBox(bool names, bool click = false) {
    Front(!names)->Blur();
    if (!Front(names)->HasFocus() || click) m_.Activate(names);
    Front(names)->Focus();
  }
  void Expect(const char* message) {
    if (message != nullptr) m_messages.push_back(message);
  }

  // The buttons of the entry row: the boxes lose the focus first.
  void Add(bool bottom) {
    FocusLeavesBoxes();
    Expect(m_.Add(bottom, window.checked[DialogControl::NoDateBox]));
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
  }

  // Delete, or Clear when `all`, with its question answered.
  void Remove(bool all, bool yes) {
    FocusLeavesBoxes();
    window.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
    const char* question = m_.RemoveQuestion(all);
    Expect(question);
    if (question != nullptr && yes) m_.Remove(all);
    all ? dialog.OnClear() : dialog.OnDelete();
  }

  void Move(int step) {
    FocusLeavesBoxes();
    m_.Move(step);
    step < 0 ? dialog.OnMoveUp() : dialog.OnMoveDown();
  }

  // A click in the list-name box (row -1: below the rows), or a key after focusing it.
  void ClickList(int row) {
    itemFront()->Blur();
    m_.ClickList(row, false);
    nameFront()->Click(row);
  }
  void KeyInList(quarn::Key key) {
    FocusBox(true);
    int last = static_cast<int>(m_.rows.size()) - 1;
    int target = key == quarn::Key::Home  ? 0
                 : key == quarn::Key::End ? last
                 : key == quarn::Key::Up  ? (m_.selected < 0 ? 0 : m_.selected - 1)
                                          : (m_.selected < 0 ? 0 : m_.selected + 1);
    target = std::max(0, std::min(target, last));
    if (last >= 0 && target != m_.selected) m_.SelectList(target);
    nameFront()->PressKey(key);
  }

  // A click in the item box: a click on the check of the selected row of the focused box
  // ticks it.
  void ClickItem(int row, QuarnColumn column) {
    nameFront()->Blur();
    m_.ClickItem(row, itemFront()->HasFocus(), column == QUARN_COLUMN_CHECK);
    itemFront()->Click(row, column);
  }

  void UndoOrRedo(bool redo) {
    FocusLeavesBoxes();
    redo ? m_.Redo() : m_.Undo();
    redo ? dialog.OnRedo() : dialog.OnUndo();
  }
  void ClickModeButton(bool listMode) {
    FocusLeavesBoxes();
    window.CheckMode(listMode);
    listMode ? dialog.OnListModeClicked() : dialog.OnItemModeClicked();
    m_.Activate(listMode);
  }

  // Edits the selected item's text or date in place, ended with Enter or given up with Escape.
  void EditItem(bool date, bool enter) {
    const int row = m_.itemSelected;
    if (row < 0) return;
    FocusBox(false, date);
    if (date) {
      itemFront()->Click(row, QUARN_COLUMN_DATE);
      const Date due = kDates[Pick(4)];
      itemFront()->PickDate(CQuarnListBox::ConvertToDateData(SystemTime(due)));
      if (enter) m_.EditDate(row, due);
    } else {
      itemFront()->PressKey(quarn::Key::F2);
      const std::string typed = PickOf(kTexts);
      itemFront()->TypeText(typed);
      if (enter) m_.EditText(row, typed);
    }
    enter ? itemFront()->PressEnter() : itemFront()->PressEscape();
  }

  void RenameList() {
    if (m_.selected < 0) return;
    FocusBox(true);
    const std::string typed = PickOf(kNames);
    if (typed.size() > 100) return;  // a path too long for one platform is not modelled
    Expect(m_.Rename(m_.selected, typed));
    nameFront()->PressKey(quarn::Key::F2);
    nameFront()->TypeText(typed);
    nameFront()->PressEnter();
  }

  void ToggleNoDate() {
    bool& noDate = window.checked[DialogControl::NoDateBox];
    if (window.enabled[DialogControl::NoDateBox]) noDate = !noDate;
  }
  void PickDate(const Date& date) {
    m_.picker = date;
    window.pickerDate = SystemTime(date);
  }
  void TabAway() {
    Expect(m_.LeaveTextBox());
    dialog.OnTextBoxKillFocus();
  }
  // The host saves the shown list.
  bool SaveNow() {
    const bool saved = dialog.SaveCurrentList() == 1;
    EXPECT_EQ(saved, m_.selected >= 0);
    m_.SaveShown();
    return saved;
  }

  void TypeAndAdd() {
    m_.text = window.text = PickOf(m_.listMode ? kNames : kTexts);
    Add(Pick(2) == 1);
  }

  // Closes the window and opens it again (when `now`): every list and the order are written
  // and read back.
  void Reopen(bool now = true) {
    if (!now) return;
    FocusLeavesBoxes();
    dialog.SaveCurrentList();
    dialog.SaveListNames();
    m_.SaveShown();
    m_.SaveNames();
    EXPECT_EQ(Read(OrderFile()), m_.order);
    items()->ResetContent();
    dialog.LoadListNames();
    window.CheckMode(true);
    dialog.OnListModeClicked();
    m_.Opened();
  }

  void Step(bool withUndo);
  void CheckBoxes();
  void CheckFiles(bool selectedSavedToo);

  todo_test::lists::ListModel m_;
  std::vector<std::string> m_messages;  // expected during the current step
};

void RandomWalk::Step(bool withUndo) {
  bool savedNow = false;
  std::vector<Choice> choices = {
      {2, [&] { m_.text = window.text = PickOf(Pick(2) ? kNames : kTexts); }},
      {1, [&] { Add(Pick(2) == 1); }},
      {1, [&] { Move(Pick(2) ? -1 : 1); }},
      {1, [&] { Remove(false, Pick(3) != 0); }},
      {1, [&] { Remove(true, Pick(8) == 0); }},
      {2, [&] { ClickList(Pick(static_cast<int>(m_.rows.size()) + 1) - 1); }},
      {1, [&] { KeyInList(kKeys[Pick(4)]); }},
      {2, [&] { ClickItem(Pick(static_cast<int>(m_.shown.size()) + 1) - 1, kColumns[Pick(2)]); }},
      {1, [&] { EditItem(Pick(2) == 1, Pick(4) != 0); }},
      {1, [&] { RenameList(); }},
      {1, [&] { ClickModeButton(Pick(2) == 1); }},
      {1, [&] { ToggleNoDate(); }},
      {1, [&] { PickDate(kDates[Pick(4)]); }},
      {1, [&] { TabAway(); }},
      {1, [&] { savedNow = SaveNow(); }},
      {1, [&] { Reopen(Pick(5) == 0); }},
      {4, [&] { TypeAndAdd(); }},
  };
  if (withUndo) {
    choices.push_back({2, [&] { UndoOrRedo(false); }});
    choices.push_back({2, [&] { UndoOrRedo(true); }});
  }
  Choose(choices);
  // An in-place edit that a click opened is given up.
  for (bool names : {true, false}) {
    if (Front(names)->EditorOpen()) Front(names)->PressEscape();
  }
  CheckBoxes();
  CheckFiles(savedNow);
}

void RandomWalk::CheckBoxes() {
  std::vector<std::string> shown;
  for (const todo_test::ShownMessage& message : window.messages) shown.push_back(message.text);
  EXPECT_EQ(shown, m_messages);
  EXPECT_EQ(busy.load(), 0);
  EXPECT_EQ(window.checked[DialogControl::ListModeButton], m_.listMode);
  EXPECT_EQ(window.text, m_.text);
  // The boxes as BoxState writes them.
  std::string boxes;
  for (const std::string& name : m_.rows) boxes += name + ";";
  boxes += " sel " + std::to_string(m_.selected) + " / ";
  if (m_.selected >= 0) {
    EXPECT_EQ(dialog.NoDate(), m_.shownNoDate);
  }
  const DWORD today = CQuarnListBox::ConvertToDateData(window.today);
  for (std::size_t row = 0; row < m_.shown.size(); ++row) {
    const Item& item = m_.shown[row];
    const DWORD due = CQuarnListBox::ConvertToDateData(SystemTime(item.due));
    boxes += std::to_string(item.check) + "," + item.text + "," + std::to_string(due) + ";";
    COLORREF colour = item.check != 0  ? todo::kColourDone
                      : m_.shownNoDate ? todo::kColourNoDate
                      : due < today    ? todo::kColourOverdue
                      : due == today   ? todo::kColourDueToday
                                       : todo::kColourDueLater;
    EXPECT_EQ(itemFront()->RowColour(static_cast<int>(row)), colour) << row;
  }
  boxes += " sel " + std::to_string(m_.itemSelected);
  ASSERT_EQ(BoxState(), boxes);
}

void RandomWalk::CheckFiles(bool selectedSavedToo) {
  std::vector<std::string> expected;
  for (const auto& file : m_.files) expected.push_back(file.second.name + ".lst");
  std::vector<std::string> found = ListFolderFiles();
  found.erase(std::remove(found.begin(), found.end(), "ListInfo.dat"), found.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(found, expected) << "a list file missing, left behind or a save's leftover";
  for (const auto& file : m_.files) {
    const std::string stored = Read(ListFile(file.second.name));
    if (m_.selected >= 0 && file.first == todo_test::rules::Folded(m_.rows[m_.selected]) &&
        !selectedSavedToo) {
      // Its items are written when it is left; its kind is fixed when it is made.
      todo_test::lists::StoredList read;
      todo_test::lists::ReadFileBytes(stored, &read);
      EXPECT_EQ(read.noDate, m_.shownNoDate) << file.second.name;
      continue;
    }
    EXPECT_EQ(stored, todo_test::lists::FileBytes(file.second)) << file.second.name;
  }
}

TEST_F(RandomWalk, ThousandsOfUserActionsLoseNothingAndLeaveNoStrayFile) {
  Walk(20261208, false);
}

// The same walk with undo and redo among the actions, the model going back and forth with them.
TEST_F(RandomWalk, UndoAndRedoAmongThousandsOfActionsGiveBackEachStateWithItsFiles) {
  Walk(20261209, true);
}

}  // namespace
