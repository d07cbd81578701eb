// Renaming a list in place: the list-name box asks whether the edited name may be stored, and
// the list's file takes the new name at once.

#include <memory>
#include <string>

#include "storage/list_names.h"
#include "dialog/todo_dialog.h"
#include "storage/paths.h"

namespace todo {

namespace {

const char kDuplicateNameMessage[] = "同じ名前のリストは既に登録されています！";

}  // namespace

bool ToDoDialog::FileExists(const std::string& path) {
  std::unique_ptr<storage::ReadableFile> file;
  return m_files.OpenForReading(path, &file) != storage::OpenResult::kNotFound;
}

bool ToDoDialog::ListNameTaken(const std::string& name, int except) const {
  for (int row = 0; row < m_listNames->GetCount(); ++row) {
    if (row != except && storage::SameNameIgnoringCase(m_listNames->GetItemText(row), name)) {
      return true;
    }
  }
  return false;
}

int ToDoDialog::OnListNameEdited() {
  if (m_listNames == nullptr) return 0;
  char edited[QUARN_EDIT_LIMIT + 1];
  if (m_listNames->GetEditText(edited, QUARN_EDIT_LIMIT) <= 0) return 1;
  // A name Windows cannot give a file is refused without a message, as the forbidden
  // characters are.
  if (storage::IsBadListName(edited)) return 0;
  int selected = m_listNames->GetCurSel();
  if (ListNameTaken(edited, selected)) {
    Ask(kDuplicateNameMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
  }
  if (selected < 0) return 0;
  std::string oldName = m_listNames->GetItemText(selected);
  if (oldName == edited) return 1;
  const char* folder = DataFolder();
  if (folder == nullptr) return 0;
  std::string newPath = storage::ListFilePath(folder, edited);
  if (newPath.empty()) return 0;  // names no file in the list folder
  std::string oldPath = ListFilePathOf(selected);
  if (oldPath.empty()) {
    // The old name named no file the tool may touch (a name someone else wrote into the list
    // order), so the list has nothing stored: like a list whose file is missing, it takes the
    // new name, unless that name's file exists already.
    return FileExists(newPath) ? 0 : 1;
  }
  // Never move over a file of that name (on Windows, a name differing only in letter case
  // names the same file, which the move renames).
  if (!storage::SameNameIgnoringCase(oldName, edited) && FileExists(newPath)) return 0;
  if (m_files.MoveReplacing(oldPath, newPath)) {
    // A list whose file could not be read when it was loaded is still not saved under its
    // new name: the empty item box would replace the items the file holds.
    if (m_unreadableFile == oldPath) m_unreadableFile = newPath;
    if (m_asReadPath == oldPath) m_asReadPath = newPath;
    return 1;
  }
  // A list whose file is missing may still take the new name: its items are written under
  // it at the next save. Otherwise the name stays, so that name and file keep matching.
  return FileExists(oldPath) ? 0 : 1;
}

}  // namespace todo
