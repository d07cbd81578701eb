// Move-up and Move-down: the selected list or item changes places with its neighbour. The
// boxes raise no events for this, so no list is saved or loaded meanwhile and the item box
// keeps showing the selected list, which is the one moved.

#include <utility>

#include "dialog/todo_dialog.h"

namespace todo {

void ToDoDialog::OnMoveUp() {
  MoveSelected(-1);
}

void ToDoDialog::OnMoveDown() {
  MoveSelected(+1);
}

void ToDoDialog::MoveSelected(int step) {
  UndoStep moved;
  if (m_entry.InListMode()) {
    moved.kind = UndoStep::Kind::kMoveList;
    moved.from = m_names.Selected();
    moved.to = m_names.MoveSelected(step);
    moved.selectedBefore = moved.selectedAfter = SelectedListName();
    moved.itemSelectedBefore = moved.itemSelectedAfter = m_items.Selected();
  } else {
    moved.kind = UndoStep::Kind::kMoveItem;
    moved.list = SelectedListName();
    moved.from = m_items.Selected();
    moved.to = m_items.MoveSelected(step, Today());
  }
  if (moved.to >= 0) RecordStep(std::move(moved));
}

}  // namespace todo
