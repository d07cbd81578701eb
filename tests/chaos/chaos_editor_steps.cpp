// The in-place edits of the chaos walk: F2 in either box, what the user types or picks in
// the editor, and its end by Enter, by a click below the rows or by Esc, with what a commit
// should make of a list's name or an item's text or date.

#include "chaos/chaos_walk.h"

#include "chaos/chaos_text.h"
#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

void HostChaos::StartEditWithF2(bool names) {
  HWND box = names ? m_listBox : m_itemBox;
  if (!names && m_model.itemSelected < 0 && !m_model.shown.empty()) {
    // An item to edit: a click on one selects it and focuses the box.
    const int row = Pick(static_cast<int>(m_model.shown.size()));
    Note("click item row " + std::to_string(row));
    ActivateItems();
    m_model.itemSelected = row;
    ClickAt(box, kTextX, kItemHeaderHeight + row * kItemRowHeight + kItemRowHeight / 2);
  }
  if (!FocusIn(box)) {
    // Into the box first: a click on its selected row (or below the rows) focuses it.
    if (names) {
      const int row =
          m_model.selected >= 0 ? m_model.selected : static_cast<int>(m_model.rows.size());
      Note("click into the list box at row " + std::to_string(row));
      ActivateNames();
      ClickAt(box, 60, row * kNameRowHeight + kNameRowHeight / 2);
    } else {
      const int row =
          m_model.itemSelected >= 0 ? m_model.itemSelected : static_cast<int>(m_model.shown.size());
      Note("click into the item box at row " + std::to_string(row));
      ActivateItems();
      ClickAt(box, kTextX, kItemHeaderHeight + row * kItemRowHeight + kItemRowHeight / 2);
    }
    if (!FocusIn(box)) return;
  }
  Note(names ? "F2 in the list box" : "F2 in the item box");
  if (names && m_model.selected >= 0) Note("  on \"" + m_model.rows[m_model.selected].name + "\"");
  Key(box, VK_F2);
  const int row = names ? m_model.selected : m_model.itemSelected;
  if (row >= 0) EditorOpened(names, false, row);
}

void HostChaos::EditorOpened(bool names, bool date, int row) {
  OpenEditor editor{names, date, row, names ? m_model.rows[row].name : m_model.shown[row].text};
  if (!names) editor.due = m_model.shown[row].due;
  HWND window = chaos::EditorOf(names ? m_listBox : m_itemBox);
  if (!window) return;  // Check() reports the missing editor
  if (Pick(4) != 0) {
    if (date) {
      editor.due = kDates[Pick(4)];
      SetPickerDate(window, editor.due);
    } else {
      if (names) {
        std::vector<std::string> candidates = {PickOf(kTypedNames).text,
                                               "改名" + std::to_string(++m_freshNames),
                                               Folded(editor.text), "edited\tname"};
        // Another list's name, exactly or in other letters.
        const Row& other =
            m_model.rows[static_cast<std::size_t>(Pick(static_cast<int>(m_model.rows.size())))];
        candidates.push_back(other.name);
        candidates.push_back(Folded(other.name));
        editor.text = PickOf(candidates);
      } else {
        editor.text = Pick(4) == 0 ? "edited\tText" : PickOf(kItemTexts);
      }
      ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(editor.text.c_str()));
    }
    Note("  editor holds \"" +
         (date ? std::to_string(editor.due.year) + "/" + std::to_string(editor.due.month) + "/" +
                     std::to_string(editor.due.day)
               : editor.text) +
         "\"");
  }
  m_editor = editor;
}

// What a commit of the open editor should do.
void HostChaos::CommitModel(const OpenEditor& editor) {
  if (!editor.names) {
    Item& item = m_model.shown[editor.row];
    if (editor.date) {
      item.due = editor.due;
    } else if (!AsEdited(editor.text).empty()) {
      item.text = AsEdited(editor.text);
    }
    return;
  }
  const std::string edited = AsEdited(editor.text);
  Row& row = m_model.rows[editor.row];
  if (edited.empty() || edited == row.name) return;
  const NameKind kind = KindOf(edited);
  if (kind == NameKind::kRefused) return;  // refused without a message
  if (kind == NameKind::kHidesSeparator) {
    m_box = ExpectedBox{{kBadListName, kDuplicateName}, false, true, nullptr};
    return;
  }
  bool duplicate = false;
  bool sameFileAsAnother = m_model.files.count(Folded(edited)) != 0;
  for (int i = 0; i < static_cast<int>(m_model.rows.size()); ++i) {
    if (i == editor.row) continue;
    duplicate = duplicate || m_model.rows[i].name == edited;
    sameFileAsAnother = sameFileAsAnother || Folded(m_model.rows[i].name) == Folded(edited);
  }
  if (duplicate) {
    Expect({kDuplicateName});
    return;
  }
  const bool ownLetterCase = Folded(row.name) == Folded(edited);
  if (!ownLetterCase && sameFileAsAnother) {
    // Its file would be another list's (Windows ignores the letter case): the name stays.
    m_box = ExpectedBox{{kDuplicateName, kListExists}, false, true, nullptr};
    return;
  }
  if (!row.hasFile) {
    // A name that named no file takes the new name with nothing stored, like a list whose
    // file is missing: from now on it is an empty dated list of its own.
    row = Row{edited, true};
    m_model.shownNoDate = false;
    return;
  }
  // A list whose file is missing takes the new name as well, with nothing stored; a file
  // moves with it.
  auto file = m_model.files.find(Folded(row.name));
  if (file != m_model.files.end()) {
    StoredList moved = file->second;
    moved.name = edited;
    m_model.files.erase(file);
    m_model.files[Folded(edited)] = moved;
  }
  // The file moves at once with what it holds, saved or not yet.
  for (StoredList& unsaved : m_model.unsavedLists) {
    if (Folded(unsaved.name) == Folded(row.name)) unsaved.name = edited;
  }
  row.name = edited;
}

void HostChaos::CommitEditor(bool byClickBelow) {
  const OpenEditor editor = *m_editor;
  m_editor.reset();
  HWND box = editor.names ? m_listBox : m_itemBox;
  Note(byClickBelow ? "click below the rows to end the edit" : "Enter in the editor");
  CommitModel(editor);
  if (byClickBelow) {
    // A press anywhere in the box stores the edit first, then activates the box.
    editor.names ? ActivateNames() : ActivateItems();
    const int y = editor.names ? static_cast<int>(m_model.rows.size()) * kNameRowHeight + 10
                               : kItemHeaderHeight +
                                     static_cast<int>(m_model.shown.size()) * kItemRowHeight + 9;
    ClickAt(box, editor.names ? 60 : kTextX, y);
  } else {
    Key(chaos::EditorOf(box), VK_RETURN);
  }
}

void HostChaos::CancelEditor() {
  const OpenEditor editor = *m_editor;
  m_editor.reset();
  Note("Esc in the editor");
  Key(chaos::EditorOf(editor.names ? m_listBox : m_itemBox), VK_ESCAPE);
}

}  // namespace chaos
