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
  UndoStep step;
  step.kind = UndoStep::Kind::kRemoveLists;
  step.selectedBefore = SelectedListName();
  step.itemSelectedBefore = m_items.Selected();
  // No list stays selected, and the deleted list's items go unsaved: the item box must never
  // hold items that a later save would write into another list's file.
  step.lists.push_back(TakeList(selected));
  RecordStep(std::move(step));
  m_window.InvalidateItemCount();
}

void ToDoDialog::DeleteSelectedItem() {
  if (!m_items.HasBox()) return;
  if (m_items.Count() == 0 || m_items.Selected() < 0) return;
  if (Ask(kDeleteItemQuestion, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No) {
    return;
  }
  UndoStep step;
  step.kind = UndoStep::Kind::kRemoveItems;
  step.list = SelectedListName();
  step.itemSelectedBefore = m_items.Selected();
  if (step.itemSelectedBefore < 0) return;
  step.items.emplace_back(step.itemSelectedBefore, m_items.RowAt(step.itemSelectedBefore));
  if (!m_items.DeleteSelected()) return;
  step.itemSelectedAfter = m_items.Selected();
  RecordStep(std::move(step));
  m_window.InvalidateItemCount();
}

void ToDoDialog::ClearLists() {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  if (m_names.Count() == 0) return;
  if (Ask(kClearListsQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
      MessageAnswer::No) {
    return;
  }
  UndoStep step;
  step.kind = UndoStep::Kind::kRemoveLists;
  step.selectedBefore = SelectedListName();
  step.itemSelectedBefore = m_items.Selected();
  // From the last up, so that each list keeps its row in the step.
  while (m_names.Count() > 0) step.lists.push_back(TakeList(m_names.Count() - 1));
  std::reverse(step.lists.begin(), step.lists.end());
  RecordStep(std::move(step));
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
  UndoStep step;
  step.kind = UndoStep::Kind::kRemoveItems;
  step.list = SelectedListName();
  step.itemSelectedBefore = m_items.Selected();
  for (int row = 0; row < m_items.Count(); ++row) step.items.emplace_back(row, m_items.RowAt(row));
  RecordStep(std::move(step));
  // The list's file is emptied at its next save.
  m_items.Clear();
  m_window.InvalidateItemCount();
}

}  // namespace todo
