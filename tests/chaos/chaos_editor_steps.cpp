// The in-place edits of the chaos walk: F2 in either box, what the user types or picks in
// the editor, and its end by Enter, by a click below the rows or by Esc, with what a commit
// should make of a list's name or an item's text or date.

#include "chaos/chaos_walk.h"

#include "chaos/chaos_controls.h"
#include "chaos/chaos_text.h"

namespace chaos {

void HostChaos::StartEditWithF2(bool names) {
  HWND box = names ? listBox_ : itemBox_;
  if (!names && model_.itemSelected < 0 && !model_.shown.empty()) {
    // An item to edit: a click on one selects it and focuses the box.
    const int row = Pick(static_cast<int>(model_.shown.size()));
    Note("click item row " + std::to_string(row));
    ActivateItems();
    model_.itemSelected = row;
    ClickAt(box, kTextX, kItemHeader + row * kItemRowHeight + kItemRowHeight / 2);
  }
  if (!FocusIn(box)) {
    // Into the box first: a click on its selected row (or below the rows) focuses it.
    if (names) {
      const int row = model_.selected >= 0 ? model_.selected : static_cast<int>(model_.rows.size());
      Note("click into the list box at row " + std::to_string(row));
      ActivateNames();
      ClickAt(box, 60, row * kNameRowHeight + kNameRowHeight / 2);
    } else {
      const int row =
          model_.itemSelected >= 0 ? model_.itemSelected : static_cast<int>(model_.shown.size());
      Note("click into the item box at row " + std::to_string(row));
      ActivateItems();
      ClickAt(box, kTextX, kItemHeader + row * kItemRowHeight + kItemRowHeight / 2);
    }
    if (!FocusIn(box)) return;
  }
  Note(names ? "F2 in the list box" : "F2 in the item box");
  if (names && model_.selected >= 0) Note("  on \"" + model_.rows[model_.selected].name + "\"");
  Key(box, VK_F2);
  const int row = names ? model_.selected : model_.itemSelected;
  if (row >= 0) EditorOpened(names, false, row);
}

void HostChaos::EditorOpened(bool names, bool date, int row) {
  OpenEditor editor{names, date, row, names ? model_.rows[row].name : model_.shown[row].text};
  if (!names) editor.due = model_.shown[row].due;
  HWND window = chaos::EditorOf(names ? listBox_ : itemBox_);
  if (!window) return;  // Check() reports the missing editor
  if (Pick(4) != 0) {
    if (date) {
      editor.due = kDates[Pick(4)];
      SetPickerDate(window, editor.due);
    } else {
      if (names) {
        std::vector<std::string> candidates = {PickOf(kTypedNames).text,
                                               "改名" + std::to_string(++freshNames_),
                                               Folded(editor.text), "edited\tname"};
        // Another list's name, exactly or in other letters.
        const Row& other =
            model_.rows[static_cast<std::size_t>(Pick(static_cast<int>(model_.rows.size())))];
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
  editor_ = editor;
}

// What a commit of the open editor should do.
void HostChaos::CommitModel(const OpenEditor& editor) {
  if (!editor.names) {
    Item& item = model_.shown[editor.row];
    if (editor.date) {
      item.due = editor.due;
    } else if (!AsEdited(editor.text).empty()) {
      item.text = AsEdited(editor.text);
    }
    return;
  }
  const std::string edited = AsEdited(editor.text);
  Row& row = model_.rows[editor.row];
  if (edited.empty() || edited == row.name) return;
  const NameKind kind = KindOf(edited);
  if (kind == NameKind::kRefused) return;  // refused without a message
  if (kind == NameKind::kHidesSeparator) {
    box_ = ExpectedBox{{kBadListName, kDuplicateName}, false, true, nullptr};
    return;
  }
  bool duplicate = false;
  bool sameFileAsAnother = model_.files.count(Folded(edited)) != 0;
  for (int i = 0; i < static_cast<int>(model_.rows.size()); ++i) {
    if (i == editor.row) continue;
    duplicate = duplicate || model_.rows[i].name == edited;
    sameFileAsAnother = sameFileAsAnother || Folded(model_.rows[i].name) == Folded(edited);
  }
  if (duplicate) {
    Expect({kDuplicateName});
    return;
  }
  const bool ownLetterCase = Folded(row.name) == Folded(edited);
  if (!ownLetterCase && sameFileAsAnother) {
    // Its file would be another list's (Windows ignores the letter case): the name stays.
    box_ = ExpectedBox{{kDuplicateName, kListExists}, false, true, nullptr};
    return;
  }
  if (!row.hasFile) {
    // A name that named no file takes the new name with nothing stored, like a list whose
    // file is missing: from now on it is an empty dated list of its own.
    row = Row{edited, true};
    model_.shownNoDate = false;
    return;
  }
  auto file = model_.files.find(Folded(row.name));
  if (file != model_.files.end()) {
    StoredList moved = file->second;
    moved.name = edited;
    model_.files.erase(file);
    model_.files[Folded(edited)] = moved;
  }
  row.name = edited;
}

void HostChaos::CommitEditor(bool byClickBelow) {
  const OpenEditor editor = *editor_;
  editor_.reset();
  HWND box = editor.names ? listBox_ : itemBox_;
  Note(byClickBelow ? "click below the rows to end the edit" : "Enter in the editor");
  CommitModel(editor);
  if (byClickBelow) {
    // A press anywhere in the box stores the edit first, then activates the box.
    editor.names ? ActivateNames() : ActivateItems();
    const int y = editor.names
                      ? static_cast<int>(model_.rows.size()) * kNameRowHeight + 10
                      : kItemHeader + static_cast<int>(model_.shown.size()) * kItemRowHeight + 9;
    ClickAt(box, editor.names ? 60 : kTextX, y);
  } else {
    Key(chaos::EditorOf(box), VK_RETURN);
  }
}

void HostChaos::CancelEditor() {
  const OpenEditor editor = *editor_;
  editor_.reset();
  Note("Esc in the editor");
  Key(chaos::EditorOf(editor.names ? listBox_ : itemBox_), VK_ESCAPE);
}

}  // namespace chaos
