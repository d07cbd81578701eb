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
  if (m_entry.InListMode()) {
    const int from = m_names.Selected();
    const int to = m_names.MoveSelected(step);
    if (to >= 0) RecordStep(ListMoved(from, to, m_items.Selected()));
  } else {
    const int from = m_items.Selected();
    const int to = m_items.MoveSelected(step, Today());
    if (to >= 0) RecordStep(ItemMoved(SelectedListName(), from, to));
  }
}

}  // namespace todo
