// Conflicted copies: the version of a list's file that a folder-synchronising program kept
// beside it when two machines changed it at once. Nothing tells what the two had in common,
// so each copy is merged into its list as everything added on both sides: a record both hold
// is kept once, every other record of either is kept. The copy is then renamed, never
// deleted.

#include <string>
#include <utility>
#include <vector>

#include "dialog/todo_dialog.h"
#include "storage/conflict_copies.h"
#include "storage/list_merge.h"

namespace todo {

void ToDoDialog::MergeConflictCopies() {
  if (m_lookAtAllFiles) {
    std::vector<std::string> all;
    if (m_gate.ListFolderFiles(&all)) {
      m_copiesToLook.insert(all.begin(), all.end());
      m_lookAtAllFiles = false;
    }
  }
  std::set<std::string> later;  // copies that could not be read or merged yet
  for (const std::string& name : m_copiesToLook) {
    std::string listName;
    if (!storage::IsConflictCopy(name, &listName)) continue;
    const int row = m_names.RowOfFile(listName);
    if (row < 0) continue;  // a copy of no list shown here is left alone
    const std::string path = ListFilePathOf(row);
    const std::string copyPath = m_gate.FileInListFolder(name);
    if (path.empty() || copyPath.empty()) continue;
    std::string bytes;
    const storage::OpenResult read = m_gate.Peek(copyPath, &bytes);
    if (read == storage::OpenResult::kFailed) later.insert(name);
    if (read != storage::OpenResult::kOpened) continue;
    const storage::ListFileAsRead copy(std::move(bytes));
    // A zero byte would cut a text short in the boxes: such a copy is left alone.
    if (copy.HoldsZeroByte()) continue;
    const bool shown = row == m_names.Selected();
    if (shown && !m_gate.MaySave(path)) continue;
    if (!(shown ? MergeCopyIntoShownList(path, copy) : MergeCopyIntoFile(path, copy)) ||
        !m_gate.Rename(copyPath, m_gate.FileInListFolder(storage::MergedCopyName(name)))) {
      later.insert(name);
    }
  }
  m_copiesToLook = std::move(later);
}

bool ToDoDialog::MergeCopyIntoShownList(const std::string& path,
                                        const storage::ListFileAsRead& copy) {
  const storage::ListFileAsRead* asRead = m_gate.AsReadOf(path);
  if (asRead == nullptr) return false;
  storage::ListMerge merged =
      storage::MergeListFiles(storage::ListFileAsRead(), m_items.Content().records, copy);
  merged.content.noDate = m_items.NoDate();
  std::string bytes = storage::FormatListFile(merged.content, asRead);
  if (bytes == asRead->Bytes()) return true;  // the copy holds nothing new
  if (!m_gate.SaveBytes(path, bytes, storage::IfHeld::kFailAtOnce)) return false;
  ShowFromDisk(path, storage::ListFileAsRead(std::move(bytes)), true, &merged.rowOfMine);
  return true;
}

bool ToDoDialog::MergeCopyIntoFile(const std::string& path, const storage::ListFileAsRead& copy) {
  std::string bytes;
  const storage::OpenResult read = m_gate.Peek(path, &bytes);
  if (read == storage::OpenResult::kFailed) return false;
  const storage::ListFileAsRead file(std::move(bytes));
  if (file.HoldsZeroByte()) return true;  // never written over; the copy is kept aside
  storage::ListMerge merged =
      storage::MergeListFiles(storage::ListFileAsRead(), file.ToContent().records, copy);
  const bool exists = read == storage::OpenResult::kOpened;
  merged.content.noDate = exists ? file.NoDate() : copy.NoDate();
  const std::string out = storage::FormatListFile(merged.content, &file);
  return (exists && out == file.Bytes()) || m_gate.Replace(path, out, storage::IfHeld::kFailAtOnce);
}

}  // namespace todo
