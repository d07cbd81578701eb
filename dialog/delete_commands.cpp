// Delete and Clear: removing the selected entry or every entry of a box, after a question.

#include <string>

#include "dialog/todo_dialog.h"

namespace todo {

namespace {

const char kDeleteListQuestion[] =
    "選択されたリストを削除します！\nリストを削除するとこのリストに登録されているアイテムも全て"
    "消えてしまいます。\n本当によろしいですか？";
const char kDeleteItemQuestion[] = "選択されたアイテムを削除します。\nよろしいですか？";
const char kClearListsQuestion[] =
    "全てのリストリストを削除しようとしています！\n本当によろしいですか？";
const char kClearItemsQuestion[] =
    "リストに登録されているアイテムを全て削除します。\nよろしいですか？";

}  // namespace

void ToDoDialog::OnDelete() {
  if (m_entry.InListMode()) {
    DeleteSelectedList();
  } else {
    DeleteSelectedItem();
  }
}

void ToDoDialog::OnClear() {
  if (m_entry.InListMode()) {
    ClearLists();
  } else {
    ClearItems();
  }
}

void ToDoDialog::DeleteSelectedList() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  if (m_names.Count() == 0 || m_names.Selected() < 0) return;
  if (Ask(kDeleteListQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  const int selected = m_names.Selected();
  if (selected < 0) return;
  const std::string path = ListFilePathOf(selected);
  m_names.Remove(selected);
  // A file that cannot be deleted (missing, in use) is passed over.
  if (!path.empty()) m_gate.Delete(path);
  // No list stays selected, and the deleted list's items go unsaved: the item box must never
  // hold items that a later save would write into another list's file.
  m_names.Unselect();
  m_items.Clear();
  m_window.InvalidateItemCount();
}

void ToDoDialog::DeleteSelectedItem() {
  if (!m_items.HasBox()) return;
  if (m_items.Count() == 0 || m_items.Selected() < 0) return;
  if (Ask(kDeleteItemQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  if (m_items.DeleteSelected()) m_window.InvalidateItemCount();
}

void ToDoDialog::ClearLists() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  if (m_names.Count() == 0) return;
  if (Ask(kClearListsQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
      MessageAnswer::No) {
    return;
  }
  while (m_names.Count() > 0) {
    const std::string path = ListFilePathOf(0);
    if (!path.empty()) m_gate.Delete(path);
    m_names.Remove(0);
  }
  m_names.Clear();
  m_items.Clear();
  m_window.InvalidateItemCount();
}

void ToDoDialog::ClearItems() {
  if (!m_items.HasBox()) return;
  if (m_items.Count() == 0) return;
  if (Ask(kClearItemsQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  // The list's file is emptied at its next save.
  m_items.Clear();
  m_window.InvalidateItemCount();
}

}  // namespace todo
