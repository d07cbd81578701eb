// The in-place edits of the chaos walk: F2 in either box, what the user types or picks in
// the editor, and its end by Enter, by a click below the rows or by Esc, with what a commit
// should make of a list's name or an item's text or date.

#include "chaos/chaos_walk.h"

#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

void HostChaos::StartEditWithF2(bool names) {
  HWND box = names ? m_listBox : m_itemBox;
  if (!names && m_model.itemSelected < 0 && !m_model.shown.empty()) {
    // An item to edit: a click on one selects it and focuses the box.
    const int row = Pick(static_cast<int>(m_model.shown.size()));
    Note("click item row " + std::to_string(row));
    m_model.ActivateItems();
    m_model.itemSelected = row;
    ClickAt(box, kTextX, kItemHeaderHeight + row * kItemRowHeight + kItemRowHeight / 2);
  }
  if (!FocusIn(box)) {
    // Into the box first: a click on its selected row (or below the rows) focuses it.
    if (names) {
      const int row =
          m_model.selected >= 0 ? m_model.selected : static_cast<int>(m_model.rows.size());
      Note("click into the list box at row " + std::to_string(row));
      m_model.ActivateNames();
      ClickAt(box, 60, row * kNameRowHeight + kNameRowHeight / 2);
    } else {
      const int row =
          m_model.itemSelected >= 0 ? m_model.itemSelected : static_cast<int>(m_model.shown.size());
      Note("click into the item box at row " + std::to_string(row));
      m_model.ActivateItems();
      ClickAt(box, kTextX, kItemHeaderHeight + row * kItemRowHeight + kItemRowHeight / 2);
    }
    if (!FocusIn(box)) return;
  }
  Note(names ? "F2 in the list box" : "F2 in the item box");
  if (names && m_model.selected >= 0) Note("  on \"" + m_model.rows[m_model.selected] + "\"");
  Key(box, VK_F2);
  const int row = names ? m_model.selected : m_model.itemSelected;
  if (row >= 0) EditorOpened(names, false, row);
}

void HostChaos::EditorOpened(bool names, bool date, int row) {
  OpenEditor editor{names, date, row, names ? m_model.rows[row] : m_model.shown[row].text};
  if (!names) editor.due = m_model.shown[row].due;
  HWND window = chaos::EditorOf(names ? m_listBox : m_itemBox);
  if (!window) return;  // Check() reports the missing editor
  if (Pick(4) != 0) {
    if (date) {
      editor.due = kDates[Pick(4)];
      SetPickerDate(window, editor.due);
    } else {
      if (names) {
        std::vector<std::string> candidates = {PickOf(kTypedNames),
                                               "改名" + std::to_string(++m_freshNames),
                                               Folded(editor.text), "edited\tname"};
        // Another list's name, exactly or in other letters.
        const std::string& other = PickOf(m_model.rows);
        candidates.push_back(other);
        candidates.push_back(Folded(other));
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

void HostChaos::CommitEditor(bool byClickBelow) {
  const OpenEditor editor = *m_editor;
  m_editor.reset();
  HWND box = editor.names ? m_listBox : m_itemBox;
  Note(byClickBelow ? "click below the rows to end the edit" : "Enter in the editor");
  if (editor.names) {
    Expect(m_model.Rename(editor.row, editor.text));
  } else if (editor.date) {
    m_model.EditDate(editor.row, editor.due);
  } else {
    m_model.EditText(editor.row, editor.text);
  }
  if (byClickBelow) {
    // A press anywhere in the box stores the edit first, then activates the box.
    editor.names ? m_model.ActivateNames() : m_model.ActivateItems();
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
