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
    RecordStep(ListRenamed(selected, oldName, edited, m_items.Selected()));
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
  // A rename never gives a list a name that names no file in the list folder.
  if (m_gate.PathOf(edited).empty()) return 0;
  return MoveListFile(oldName, edited) ? 1 : 0;
}

}  // namespace todo
