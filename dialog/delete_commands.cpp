// Delete and Clear: removing the selected entry or every entry of a box, after a question.

#include <algorithm>
#include <string>
#include <utility>

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
  const std::string selectedName = SelectedListName();
  const int itemSelected = m_items.Selected();
  // No list stays selected, and the deleted list's items go unsaved: the item box must never
  // hold items that a later save would write into another list's file.
  RecordStep(ListsRemoved({TakeList(selected)}, selectedName, itemSelected));
  m_window.InvalidateItemCount();
}

void ToDoDialog::DeleteSelectedItem() {
  if (!m_items.HasBox()) return;
  if (m_items.Count() == 0 || m_items.Selected() < 0) return;
  if (Ask(kDeleteItemQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  const int selected = m_items.Selected();
  if (selected < 0) return;
  std::vector<std::pair<int, ItemRow>> removed = {{selected, m_items.RowAt(selected)}};
  if (!m_items.DeleteSelected()) return;
  RecordStep(ItemsRemoved(SelectedListName(), std::move(removed), selected, m_items.Selected()));
  m_window.InvalidateItemCount();
}

void ToDoDialog::ClearLists() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  if (m_names.Count() == 0) return;
  if (Ask(kClearListsQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
      MessageAnswer::No) {
    return;
  }
  const std::string selectedName = SelectedListName();
  const int itemSelected = m_items.Selected();
  // From the last up, so that each list keeps its row in the step.
  std::vector<RemovedList> removed;
  while (m_names.Count() > 0) removed.push_back(TakeList(m_names.Count() - 1));
  std::reverse(removed.begin(), removed.end());
  RecordStep(ListsRemoved(std::move(removed), selectedName, itemSelected));
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
  std::vector<std::pair<int, ItemRow>> removed;
  for (int row = 0; row < m_items.Count(); ++row) removed.emplace_back(row, m_items.RowAt(row));
  RecordStep(ItemsRemoved(SelectedListName(), std::move(removed), m_items.Selected(), -1));
  // The list's file is emptied at its next save.
  m_items.Clear();
  m_window.InvalidateItemCount();
}

}  // namespace todo
