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
  if (InListMode()) {
    DeleteSelectedList();
  } else {
    DeleteSelectedItem();
  }
}

void ToDoDialog::OnClear() {
  if (InListMode()) {
    ClearLists();
  } else {
    ClearItems();
  }
}

void ToDoDialog::DeleteSelectedList() {
  if (m_listNames == nullptr || m_items == nullptr) return;
  if (m_listNames->GetCount() == 0 || m_listNames->GetCurSel() < 0) return;
  if (Ask(kDeleteListQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  const int selected = m_listNames->GetCurSel();
  if (selected < 0) return;
  const std::string path = ListFilePathOf(selected);
  m_listNames->DeleteItem(static_cast<unsigned int>(selected));
  // A file that cannot be deleted (missing, in use) is passed over.
  if (!path.empty()) m_files.Delete(path);
  // No list stays selected, and the deleted list's items go unsaved: the item box must never
  // hold items that a later save would write into another list's file.
  m_listNames->SetCurSel(-1);
  m_items->ResetContent();
  m_window.InvalidateItemCount();
}

void ToDoDialog::DeleteSelectedItem() {
  if (m_items == nullptr) return;
  if (m_items->GetCount() == 0 || m_items->GetCurSel() < 0) return;
  if (Ask(kDeleteItemQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  int selected = m_items->GetCurSel();
  if (selected < 0) return;
  m_items->DeleteItem(static_cast<unsigned int>(selected));
  // The item that moved into its place, else the new last one, else none.
  if (selected >= m_items->GetCount()) --selected;
  m_items->SetCurSel(selected);
  m_window.InvalidateItemCount();
}

void ToDoDialog::ClearLists() {
  if (m_listNames == nullptr || m_items == nullptr) return;
  if (m_listNames->GetCount() == 0) return;
  if (Ask(kClearListsQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
      MessageAnswer::No) {
    return;
  }
  while (m_listNames->GetCount() > 0) {
    const std::string path = ListFilePathOf(0);
    if (!path.empty()) m_files.Delete(path);
    m_listNames->DeleteItem(0);
  }
  m_listNames->ResetContent();
  m_items->ResetContent();
  m_window.InvalidateItemCount();
}

void ToDoDialog::ClearItems() {
  if (m_items == nullptr) return;
  if (m_items->GetCount() == 0) return;
  if (Ask(kClearItemsQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  // The list's file is emptied at its next save.
  m_items->ResetContent();
  m_window.InvalidateItemCount();
}

}  // namespace todo
