// Renaming a list in place: the list-name box asks whether the edited name may be stored, and
// the list's file takes the new name at once.

#include <string>
#include <utility>

#include "dialog/todo_dialog.h"
#include "storage/list_names.h"

namespace todo {

namespace {

const char kDuplicateNameMessage[] = "同じ名前のリストは既に登録されています！";

}  // namespace

int ToDoDialog::OnListNameEdited() {
  CQuarnImageListBox* names = m_names.Box();
  if (names == nullptr) return 0;
  char edited[QUARN_EDIT_LIMIT + 1];
  if (names->GetEditText(edited, QUARN_EDIT_LIMIT) <= 0) return 1;
  const int selected = m_names.Selected();
  const std::string oldName = selected >= 0 ? m_names.NameOf(selected) : std::string();
  const int answer = AnswerRename(edited);
  if (answer == 1 && selected >= 0 && oldName != edited) {
    UndoStep step;
    step.kind = UndoStep::Kind::kRenameList;
    step.row = selected;
    step.oldName = oldName;
    step.newName = edited;
    step.itemSelectedBefore = step.itemSelectedAfter = m_items.Selected();
    RecordStep(std::move(step));
  }
  return answer;
}

int ToDoDialog::AnswerRename(const char* edited) {
  // A name Windows cannot give a file is refused without a message, as the forbidden
  // characters are.
  if (storage::IsBadListName(edited)) return 0;
  const int selected = m_names.Selected();
  if (m_names.Taken(edited, selected)) {
    Ask(kDuplicateNameMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
  }
  if (selected < 0) return 0;
  const std::string oldName = m_names.NameOf(selected);
  if (oldName == edited) return 1;
  if (m_gate.DataFolder() == nullptr) return 0;
  const std::string newPath = m_gate.PathOf(edited);
  if (newPath.empty()) return 0;  // names no file in the list folder
  const std::string oldPath = ListFilePathOf(selected);
  if (oldPath.empty()) {
    // The old name named no file the tool may touch (a name someone else wrote into the list
    // order), so the list has nothing stored: like a list whose file is missing, it takes the
    // new name, unless that name's file exists already.
    return m_gate.Exists(newPath) ? 0 : 1;
  }
  // Never move over a file of that name (on Windows, a name differing only in letter case
  // names the same file, which the move renames).
  if (!storage::SameNameIgnoringCase(oldName, edited) && m_gate.Exists(newPath)) return 0;
  if (m_gate.Move(oldPath, newPath)) return 1;
  // A list whose file is missing may still take the new name: its items are written under
  // it at the next save. Otherwise the name stays, so that name and file keep matching.
  return m_gate.Exists(oldPath) ? 0 : 1;
}

}  // namespace todo
