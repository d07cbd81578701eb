// A long random walk of user actions in both modes against a simple model of the lists and
// their items. After every step the boxes must show the model, and every list file must hold
// what the model says was saved: nothing lost, nothing duplicated, no file of a removed list.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "dialog/undo_history.h"
#include "dialog_fixture.h"
#include "support/tool_facts.h"
#include "support/list_rules.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace {

using todo::DialogControl;
using todo::MessageAnswer;
using todo_test::HeadlessWindowOps;

struct Item {
  int check;
  std::string text;
  DWORD due;
};

struct List {
  std::string name;
  bool noDate;
  std::vector<Item> items;  // as the item box shows them while the list is selected
};

// What the user should see. The files lag behind only for the selected list's items.
struct Model {
  std::vector<List> lists;
  int selected = -1;
  int itemSelected = -1;
  bool listMode = true;
  std::string text;
  std::vector<std::string> messages;  // expected during the current step
  std::vector<Item>* Items() { return selected >= 0 ? &lists[selected].items : nullptr; }
};

// What an undo gives back and a redo gives again: the lists with their items and the
// selections, before and after each step the user took.
struct Snapshot {
  std::vector<List> lists;
  int selected;
  int itemSelected;
};
struct ModelHistory {
  std::vector<std::pair<Snapshot, Snapshot>> steps;
  std::size_t done = 0;
};

const std::string kLong(300, 'n');
const std::vector<std::string> kNames = {
    "work", "Work",   "home", "\x83\x5C\x95\x5C", "\x83\x7C", "\x83\x58", "\x83\x78", "a|b",
    "CON",  "orphan", "",     "shop\r\nlist",     kLong,      "\xB1\xB2", "x y"};
// The last text is cut: as one line its double-byte character would end at byte 254.
const std::string kLongText = std::string(252, 'x') + "\x82\xA0" + "end";
const std::vector<std::string> kTexts = {
    "milk",   "call, then write", "NO_DATE", "  spaced  ",  "\x83\x5C\x95\x5C",
    "a\r\nb", "tab\there",        "",        "back\\slash", kLongText};
const SYSTEMTIME kDates[] = {
    HeadlessWindowOps::Date(2026, 12, 7), HeadlessWindowOps::Date(2026, 12, 8),
    HeadlessWindowOps::Date(2026, 12, 9), HeadlessWindowOps::Date(2027, 1, 1)};
const char kOrphan[] = "0,2026,1,1,not a list\r\n";

// What the box makes of an in-place edit: one line, at most 254 bytes.
std::string EditedText(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  text = todo_test::rules::Cut(std::move(text), 254);
  return text;
}

class RandomWalk : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    Write(ListFile("orphan"), kOrphan);
    dialog.LoadListNames();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  template <typename T>
  const T& PickOf(const std::vector<T>& pool) {
    return pool[static_cast<std::size_t>(Pick(static_cast<int>(pool.size())))];
  }

  // The user clicks a button or a box: the other controls lose the focus.
  void FocusLeavesBoxes() {
    nameFront()->Blur();
    itemFront()->Blur();
  }
  void Activated(bool listMode) {
    m_.listMode = listMode;
    m_.text.clear();
  }
  void Select(int row) {
    m_.selected = row;
    m_.itemSelected = -1;
  }
  void Expect(const char* message) { m_.messages.push_back(message); }
  Snapshot Take() const { return {m_.lists, m_.selected, m_.itemSelected}; }
  void Restore(const Snapshot& snapshot) {
    m_.lists = snapshot.lists;
    m_.selected = snapshot.selected;
    m_.itemSelected = snapshot.itemSelected;
  }
  // A step of the user's became the latest of the history; `before` is the state before it.
  void Recorded(const Snapshot& before) {
    m_history.steps.resize(m_history.done);
    m_history.steps.emplace_back(before, Take());
    if (m_history.steps.size() > todo::UndoHistory::kMostSteps) {
      m_history.steps.erase(m_history.steps.begin());
    }
    m_history.done = m_history.steps.size();
  }
  void UndoStep() {
    if (m_history.done > 0) Restore(m_history.steps[--m_history.done].first);
    dialog.OnUndo();
  }
  void RedoStep() {
    if (m_history.done < m_history.steps.size()) {
      Restore(m_history.steps[m_history.done++].second);
    }
    dialog.OnRedo();
  }

  void AddList(bool bottom) {
    const std::string name = todo_test::rules::TakenText(m_.text, todo_test::rules::kListNameBytes);
    const std::string path = ListFile(name);
    bool taken = false;
    for (const List& list : m_.lists)
      taken = taken || todo_test::rules::SameFileName(list.name, name);
    if (name.empty()) {
      Expect(todo_test::tool::kEnterListName);
    } else if (todo_test::rules::NameRefused(name)) {
      Expect(todo_test::tool::kBadListName);
    } else if (taken || (path.size() < 260 && Exists(path))) {
      Expect(todo_test::tool::kListExists);
    } else if (path.size() >= 260) {
      Expect(todo_test::tool::kCannotCreate);
    } else {
      const Snapshot before = Take();
      List list{name, window.checked[DialogControl::NoDateBox], {}};
      int at = bottom ? static_cast<int>(m_.lists.size()) : 0;
      m_.lists.insert(m_.lists.begin() + at, list);
      Select(at);
      m_.text.clear();
      Recorded(before);
    }
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
  }

  void AddItem(bool bottom) {
    if (m_.selected < 0) {
      Expect("アイテムを登録できません。\nリストを、選択するか新規登録して下さい。");
    } else if (m_.text.empty()) {
      Expect(todo_test::tool::kEnterItem);
    } else {
      const Snapshot before = Take();
      std::vector<Item>& items = *m_.Items();
      Item item{0, todo_test::rules::TakenText(m_.text, todo_test::rules::kItemTextBytes),
                CQuarnListBox::ConvertToDateData(window.pickerDate)};
      if (bottom) {
        items.push_back(item);
      } else {
        items.insert(items.begin(), item);
        if (m_.itemSelected >= 0) ++m_.itemSelected;
      }
      m_.text.clear();
      Recorded(before);
    }
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
  }

  void Move(int step) {
    int& from = m_.listMode ? m_.selected : m_.itemSelected;
    int count = m_.listMode ? static_cast<int>(m_.lists.size())
                            : (m_.Items() ? static_cast<int>(m_.Items()->size()) : 0);
    if (from >= 0 && from + step >= 0 && from + step < count) {
      const Snapshot before = Take();
      if (m_.listMode) {
        std::swap(m_.lists[from], m_.lists[from + step]);
      } else {
        std::swap((*m_.Items())[from], (*m_.Items())[from + step]);
      }
      from += step;
      Recorded(before);
    }
    step < 0 ? dialog.OnMoveUp() : dialog.OnMoveDown();
  }

  void Delete(bool yes) {
    window.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
    const Snapshot before = Take();
    if (m_.listMode && m_.selected >= 0) {
      Expect(todo_test::tool::kDeleteList);
      if (yes) {
        m_.lists.erase(m_.lists.begin() + m_.selected);
        Select(-1);
        Recorded(before);
      }
    } else if (!m_.listMode && m_.itemSelected >= 0) {
      Expect(todo_test::tool::kDeleteItem);
      if (yes) {
        m_.Items()->erase(m_.Items()->begin() + m_.itemSelected);
        if (m_.itemSelected >= static_cast<int>(m_.Items()->size())) --m_.itemSelected;
        Recorded(before);
      }
    }
    dialog.OnDelete();
  }

  void Clear(bool yes) {
    window.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
    const Snapshot before = Take();
    if (m_.listMode && !m_.lists.empty()) {
      Expect(todo_test::tool::kClearLists);
      if (yes) {
        m_.lists.clear();
        Select(-1);
        Recorded(before);
      }
    } else if (!m_.listMode && m_.Items() != nullptr && !m_.Items()->empty()) {
      Expect(todo_test::tool::kClearItems);
      if (yes) {
        m_.Items()->clear();
        m_.itemSelected = -1;
        Recorded(before);
      }
    }
    dialog.OnClear();
  }

  // A click in the list-name box (row -1: below the rows), or a key after focusing it.
  void ClickList(int row) {
    itemFront()->Blur();
    Activated(true);
    if (row >= 0 && row != m_.selected) Select(row);
    nameFront()->Click(row);
  }
  void KeyInList(quarn::Key key) {
    itemFront()->Blur();
    if (!nameFront()->HasFocus()) Activated(true);
    nameFront()->Focus();
    int last = static_cast<int>(m_.lists.size()) - 1;
    int target = key == quarn::Key::Home  ? 0
                 : key == quarn::Key::End ? last
                 : key == quarn::Key::Up  ? (m_.selected < 0 ? 0 : m_.selected - 1)
                                          : (m_.selected < 0 ? 0 : m_.selected + 1);
    target = std::max(0, std::min(target, last));
    if (last >= 0 && target != m_.selected) Select(target);
    nameFront()->PressKey(key);
  }

  // A click in the item box: a click on the check of the selected row of the focused box
  // toggles it.
  void ClickItem(int row, QuarnColumn column) {
    nameFront()->Blur();
    bool hadFocus = itemFront()->HasFocus();
    Activated(false);
    if (row >= 0 && row != m_.itemSelected) {
      m_.itemSelected = row;
    } else if (row >= 0 && hadFocus && column == QUARN_COLUMN_CHECK) {
      const Snapshot before = Take();
      Item& item = (*m_.Items())[row];
      item.check = item.check == 0 ? 1 : 0;
      Recorded(before);
    }
    itemFront()->Click(row, column);
  }

  // Edits the selected item's text or date in place, ended with Enter or given up with Escape.
  void EditItem(bool date, bool enter) {
    if (m_.itemSelected < 0) return;
    nameFront()->Blur();
    // Focusing the box activates it; a click into it always does.
    if (!itemFront()->HasFocus() || date) Activated(false);
    itemFront()->Focus();
    const Snapshot before = Take();
    Item& item = (*m_.Items())[m_.itemSelected];
    const Item was = item;
    if (date) {
      itemFront()->Click(m_.itemSelected, QUARN_COLUMN_DATE);
      DWORD due = CQuarnListBox::ConvertToDateData(kDates[Pick(4)]);
      itemFront()->PickDate(due);
      if (enter) item.due = due;
    } else {
      itemFront()->PressKey(quarn::Key::F2);
      std::string typed = PickOf(kTexts);
      itemFront()->TypeText(typed);
      if (enter && !EditedText(typed).empty()) item.text = EditedText(typed);
    }
    enter ? itemFront()->PressEnter() : itemFront()->PressEscape();
    if (item.text != was.text || item.due != was.due) Recorded(before);
  }

  void RenameList() {
    if (m_.selected < 0) return;
    itemFront()->Blur();
    if (!nameFront()->HasFocus()) Activated(true);
    nameFront()->Focus();
    std::string typed = PickOf(kNames);
    if (typed.size() > 100) return;  // a path too long for one platform is not modelled
    const std::string edited = EditedText(typed);
    const Snapshot before = Take();
    List& list = m_.lists[m_.selected];
    bool duplicate = false;
    for (int i = 0; i < static_cast<int>(m_.lists.size()); ++i) {
      duplicate = duplicate ||
                  (i != m_.selected && todo_test::rules::SameFileName(m_.lists[i].name, edited));
    }
    if (!edited.empty() && !todo_test::rules::NameRefused(edited)) {
      if (duplicate) {
        Expect(todo_test::tool::kDuplicateName);
      } else if (todo_test::rules::SameFileName(list.name, edited) || !Exists(ListFile(edited))) {
        if (list.name != edited) {
          list.name = edited;
          Recorded(before);
        }
      }
    }
    nameFront()->PressKey(quarn::Key::F2);
    nameFront()->TypeText(typed);
    nameFront()->PressEnter();
  }

  void TabAway() {
    std::size_t limit =
        m_.listMode ? todo_test::rules::kListNameBytes : todo_test::rules::kItemTextBytes;
    if (todo_test::rules::TakenText(m_.text, 10000).size() > limit) {
      m_.text = todo_test::rules::TakenText(m_.text, limit);
      Expect(todo_test::tool::kTextTooLong);
    }
    dialog.OnTextBoxKillFocus();
  }

  // Closes the window and opens it again: every list and the order are written and read back.
  void Reopen() {
    FocusLeavesBoxes();
    dialog.SaveCurrentList();
    dialog.SaveListNames();
    std::string order;
    for (const List& list : m_.lists) order += list.name + "\r\n";
    EXPECT_EQ(Read(OrderFile()), order);
    items()->ResetContent();
    dialog.LoadListNames();
    window.CheckMode(true);
    dialog.OnListModeClicked();
    Activated(true);
    Select(-1);
    m_history = ModelHistory();
  }

  void Step();
  void CheckBoxes();
  void CheckFiles(bool selectedSavedToo);

  std::mt19937 m_random{20261208};
  Model m_;
  ModelHistory m_history;
  bool m_withUndo = false;
};

void RandomWalk::Step() {
  bool savedNow = false;
  const int action = m_withUndo ? Pick(27) : Pick(23);
  switch (action >= 23 ? action + 100 : action) {
    case 123:
    case 124:
      FocusLeavesBoxes();
      UndoStep();
      break;
    case 125:
    case 126:
      FocusLeavesBoxes();
      RedoStep();
      break;
    case 0:
    case 1:
      m_.text = window.text = PickOf(Pick(2) ? kNames : kTexts);
      break;
    case 2:
      FocusLeavesBoxes();
      m_.listMode ? AddList(Pick(2) == 1) : AddItem(Pick(2) == 1);
      break;
    case 3:
      FocusLeavesBoxes();
      Move(Pick(2) ? -1 : 1);
      break;
    case 4:
      FocusLeavesBoxes();
      Delete(Pick(3) != 0);
      break;
    case 5:
      FocusLeavesBoxes();
      Clear(Pick(8) == 0);
      break;
    case 6:
    case 7:
      ClickList(Pick(static_cast<int>(m_.lists.size()) + 1) - 1);
      break;
    case 8: {
      const quarn::Key keys[] = {quarn::Key::Up, quarn::Key::Down, quarn::Key::Home,
                                 quarn::Key::End};
      KeyInList(keys[Pick(4)]);
      break;
    }
    case 9:
    case 10: {
      int count = m_.Items() != nullptr ? static_cast<int>(m_.Items()->size()) : 0;
      ClickItem(Pick(count + 1) - 1, Pick(2) ? QUARN_COLUMN_CHECK : QUARN_COLUMN_TEXT);
      break;
    }
    case 11:
      EditItem(Pick(2) == 1, Pick(4) != 0);
      break;
    case 12:
      RenameList();
      break;
    case 13: {
      FocusLeavesBoxes();
      bool listMode = Pick(2) == 1;
      window.CheckMode(listMode);
      listMode ? dialog.OnListModeClicked() : dialog.OnItemModeClicked();
      Activated(listMode);
      break;
    }
    case 14:
      if (window.enabled[DialogControl::NoDateBox]) {
        window.checked[DialogControl::NoDateBox] = !window.checked[DialogControl::NoDateBox];
      }
      break;
    case 15:
      window.pickerDate = kDates[Pick(4)];
      break;
    case 16:
      TabAway();
      break;
    case 17:
      savedNow = dialog.SaveCurrentList() == 1;
      EXPECT_EQ(savedNow, m_.selected >= 0);
      break;
    case 18:
      if (Pick(5) == 0) Reopen();
      break;
    default:
      m_.text = window.text = PickOf(m_.listMode ? kNames : kTexts);
      FocusLeavesBoxes();
      m_.listMode ? AddList(Pick(2) == 1) : AddItem(Pick(2) == 1);
      break;
  }
  // An in-place edit that a click opened is given up.
  for (quarn::HeadlessFront* front : {nameFront(), itemFront()}) {
    if (front->EditorOpen()) front->PressEscape();
  }
  CheckBoxes();
  CheckFiles(savedNow);
}

void RandomWalk::CheckBoxes() {
  std::vector<std::string> shown;
  for (const todo_test::ShownMessage& message : window.messages) shown.push_back(message.text);
  EXPECT_EQ(shown, m_.messages);
  EXPECT_EQ(busy.load(), 0);
  EXPECT_EQ(window.checked[DialogControl::ListModeButton], m_.listMode);
  EXPECT_EQ(window.text, m_.text);
  // The boxes as BoxState writes them.
  std::string boxes;
  for (const List& list : m_.lists) boxes += list.name + ";";
  boxes += " sel " + std::to_string(m_.selected) + " / ";
  const DWORD today = CQuarnListBox::ConvertToDateData(window.today);
  if (m_.selected >= 0) {
    const List& shownList = m_.lists[m_.selected];
    EXPECT_EQ(dialog.NoDate(), shownList.noDate);
    for (std::size_t row = 0; row < shownList.items.size(); ++row) {
      const Item& item = shownList.items[row];
      boxes += std::to_string(item.check) + "," + item.text + "," + std::to_string(item.due) + ";";
      COLORREF colour = item.check != 0     ? todo::kColourDone
                        : shownList.noDate  ? todo::kColourNoDate
                        : item.due < today  ? todo::kColourOverdue
                        : item.due == today ? todo::kColourDueToday
                                            : todo::kColourDueLater;
      EXPECT_EQ(itemFront()->RowColour(static_cast<int>(row)), colour) << row;
    }
  }
  boxes += " sel " + std::to_string(m_.itemSelected);
  ASSERT_EQ(BoxState(), boxes);
}

void RandomWalk::CheckFiles(bool selectedSavedToo) {
  std::vector<std::string> expected = {"orphan.lst"};
  for (const List& list : m_.lists) expected.push_back(list.name + ".lst");
  std::vector<std::string> found;
  ASSERT_TRUE(m_files->ListFolder(storage::ListFolderPath(m_folder.Path()), &found));
  found.erase(std::remove(found.begin(), found.end(), "ListInfo.dat"), found.end());
  std::sort(expected.begin(), expected.end());
  std::sort(found.begin(), found.end());
  ASSERT_EQ(found, expected) << "a list file missing, left behind or a save's leftover";
  EXPECT_EQ(Read(ListFile("orphan")), kOrphan);
  for (int i = 0; i < static_cast<int>(m_.lists.size()); ++i) {
    const List& list = m_.lists[i];
    const std::string stored = Read(ListFile(list.name));
    if (i == m_.selected && !selectedSavedToo) {
      // Its items are written when it is left; its kind is fixed when it is made.
      EXPECT_EQ(storage::ListFileAsRead(stored).NoDate(), list.noDate) << list.name;
      continue;
    }
    storage::ListFileContent content;
    content.noDate = list.noDate;
    for (const Item& item : list.items) {
      SYSTEMTIME date;
      CQuarnListBox::ConvertToSysTime(item.due, &date);
      content.records.push_back({item.check, date.wYear, date.wMonth, date.wDay, item.text});
    }
    EXPECT_EQ(stored, storage::FormatListFile(content)) << list.name;
  }
}

TEST_F(RandomWalk, ThousandsOfUserActionsLoseNothingAndLeaveNoStrayFile) {
  for (int step = 0; step < 3000 && !HasFailure(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    window.messages.clear();
    window.answers.clear();
    m_.messages.clear();
    Step();
  }
  Reopen();
  CheckFiles(true);
}

// The same walk with undo and redo among the actions, the model going back and forth with them.
TEST_F(RandomWalk, UndoAndRedoAmongThousandsOfActionsGiveBackEachStateWithItsFiles) {
  m_withUndo = true;
  m_random.seed(20261209);
  for (int step = 0; step < 3000 && !HasFailure(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    window.messages.clear();
    window.answers.clear();
    m_.messages.clear();
    Step();
  }
  Reopen();
  CheckFiles(true);
}

}  // namespace
