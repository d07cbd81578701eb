// Undo and Redo: the history's steps taken back and done again, and what they share with the
// commands: switching lists, taking lists out with their files and putting them back.

#include <string>
#include <vector>

#include "dialog/todo_dialog.h"
#include "storage/list_names.h"

namespace todo {

namespace {

const char kCannotUndoMessage[] =
    "元に戻せませんでした！\n同じ名前のファイルがあるか、ファイルに書き込めない可能性があります。";
const char kCannotRedoMessage[] =
    "やり直せませんでした！\n同じ名前のファイルがあるか、ファイルに書き込めない可能性があります。";

}  // namespace

void ToDoDialog::OnUndo() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  UndoStep* step = m_history.NextUndo();
  if (step == nullptr) return;
  if (!step->TakeBack(*this)) {
    Ask(kCannotUndoMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  m_history.Undone();
  m_window.InvalidateItemCount();
  ChangedByUser();
}

void ToDoDialog::OnRedo() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  UndoStep* step = m_history.NextRedo();
  if (step == nullptr) return;
  if (!step->DoAgain(*this)) {
    Ask(kCannotRedoMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  m_history.Redone();
  m_window.InvalidateItemCount();
  ChangedByUser();
}

std::string ToDoDialog::SelectedListName() const {
  const int selected = m_names.Selected();
  return selected >= 0 ? std::string(m_names.NameOf(selected)) : std::string();
}

bool ToDoDialog::SwitchToList(const std::string& name) {
  const int row = name.empty() ? -1 : m_names.RowOf(name);
  if (!name.empty() && row < 0) return false;
  if (row == m_names.Selected()) return true;
  if (m_names.Selected() >= 0) {
    if (!LeaveSelectedList()) return false;
    m_items.Clear();
  }
  m_names.Select(row);
  if (row >= 0) LoadCurrentList();
  return true;
}

RemovedList ToDoDialog::TakeList(int row) {
  RemovedList removed;
  removed.row = row;
  removed.name = m_names.NameOf(row);
  const std::string path = ListFilePathOf(row);
  const bool selected = row == m_names.Selected();
  bool known = false;
  if (!path.empty()) {
    // The selected list as a save would write it, so that its unsaved changes come back with
    // it; any other list as its file holds it.
    if (selected && m_gate.MaySave(path)) {
      removed.bytes = m_gate.BytesToSave(path, m_items.Content());
      known = true;
    } else {
      known = m_gate.ReadBytes(path, &removed.bytes);
    }
  }
  m_names.Remove(row);
  // A file that cannot be deleted (missing, in use) is passed over and left as it is.
  removed.fileDeleted = !path.empty() && m_gate.Delete(path) && known;
  if (!removed.fileDeleted) removed.bytes.clear();
  if (selected) {
    m_names.Unselect();
    m_items.Clear();
  }
  return removed;
}

bool ToDoDialog::PutBackLists(const std::vector<RemovedList>& lists) {
  std::vector<std::string> paths;
  for (const RemovedList& list : lists) {
    if (m_names.Taken(list.name, -1)) return false;
    const std::string path = m_gate.PathOf(list.name);
    if (list.fileDeleted && (path.empty() || m_gate.Exists(path))) return false;
    paths.push_back(list.fileDeleted ? path : std::string());
  }
  for (std::size_t index = 0; index < lists.size(); ++index) {
    if (paths[index].empty() || m_gate.CreateFileWith(paths[index], lists[index].bytes)) continue;
    // One file could not be written: the ones written before it go again, and nothing changes.
    for (std::size_t written = 0; written < index; ++written) {
      if (!paths[written].empty()) m_gate.Delete(paths[written]);
    }
    return false;
  }
  for (const RemovedList& list : lists) m_names.Insert(list.row, list.name);
  return true;
}

bool ToDoDialog::MoveListFile(const std::string& from, const std::string& to) {
  const std::string fromPath = m_gate.PathOf(from);
  const std::string toPath = m_gate.PathOf(to);
  // A list without a file (its file is missing, or its name names none the tool may touch)
  // has nothing stored to move: like a new list, it may take the name unless that name's file
  // exists already. Its items are written under the new name at the next save.
  const bool hasFile = !fromPath.empty() && m_gate.Exists(fromPath);
  if (toPath.empty()) return !hasFile;  // its items could not follow it
  // Never move over a file of that name (on Windows, a name differing only in letter case
  // names the same file, which the move renames).
  if (!storage::SameNameIgnoringCase(from, to) && m_gate.Exists(toPath)) return false;
  // A move that fails leaves the name, so that name and file keep matching.
  return !hasFile || m_gate.Move(fromPath, toPath);
}

}  // namespace todo
