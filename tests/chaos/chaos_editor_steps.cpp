// The in-place edits of the chaos walk: F2 in either box, what the user types or picks in
// the editor, and its end by Enter, by a click below the rows or by Esc.

#include "chaos/chaos_walk.h"

#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

void HostChaos::StartEditWithF2(bool names) {
  HWND box = Box(names);
  if (!names && m_model.itemSelected < 0 && !m_model.shown.empty()) {
    // An item to edit: a click on one selects it and focuses the box.
    const int row = Pick(RowCount(false));
    Note("click item row " + std::to_string(row));
    m_model.Activate(false);
    m_model.itemSelected = row;
    ClickAt(box, kTextX, RowY(false, row));
  }
  const int row = names ? m_model.selected : m_model.itemSelected;
  const std::string boxName = names ? "the list box" : "the item box";
  if (!FocusIn(box)) {
    // Into the box first: a click on its selected row (or below the rows) focuses it.
    const int at = row >= 0 ? row : RowCount(names);
    Note("click into " + boxName + " at row " + std::to_string(at));
    m_model.Activate(names);
    ClickAt(box, names ? kNameX : kTextX, RowY(names, at));
    if (!FocusIn(box)) return;
  }
  Note("F2 in " + boxName + (names && row >= 0 ? " on \"" + m_model.rows[row] + "\"" : ""));
  Key(box, VK_F2);
  if (row >= 0) EditorOpened(names, false, row);
}

void HostChaos::EditorOpened(bool names, bool date, int row) {
  OpenEditor editor{names, date, row, names ? m_model.rows[row] : m_model.shown[row].text};
  if (!names) editor.due = m_model.shown[row].due;
  HWND window = chaos::EditorOf(Box(names));
  if (!window) return;  // Check() reports the missing editor
  if (Pick(4) != 0) {
    if (date) {
      editor.due = kDates[Pick(4)];
      SetPickerDate(window, editor.due);
    } else if (names) {
      // Also another list's name, exactly or in other letters.
      std::vector<std::string> candidates = {PickOf(kTypedNames),
                                             "改名" + std::to_string(++m_freshNames),
                                             Folded(editor.text), "edited\tname"};
      const std::string& other = PickOf(m_model.rows);
      candidates.push_back(other);
      candidates.push_back(Folded(other));
      editor.text = PickOf(candidates);
    } else {
      editor.text = Pick(4) == 0 ? "edited\tText" : PickOf(kItemTexts);
    }
    if (!date) ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(editor.text.c_str()));
    Note("  editor holds \"" + (date ? DateText(editor.due) : editor.text) + "\"");
  }
  m_editor = editor;
}

void HostChaos::EndEditor(int how) {
  const OpenEditor editor = *m_editor;
  m_editor.reset();
  HWND box = Box(editor.names);
  Note(how == 0   ? "Enter in the editor"
       : how == 1 ? "click below the rows to end the edit"
                  : "Esc in the editor");
  if (how == 2) return Key(chaos::EditorOf(box), VK_ESCAPE);
  if (editor.names) {
    Expect(m_model.Rename(editor.row, editor.text));
  } else if (editor.date) {
    m_model.EditDate(editor.row, editor.due);
  } else {
    m_model.EditText(editor.row, editor.text);
  }
  if (how == 0) return Key(chaos::EditorOf(box), VK_RETURN);
  // A press anywhere in the box stores the edit first, then activates the box.
  m_model.Activate(editor.names);
  ClickAt(box, editor.names ? kNameX : kTextX, RowY(editor.names, RowCount(editor.names)));
}

}  // namespace chaos
