// Move-up and Move-down: the selected list or item changes places with its neighbour. The
// boxes raise no events for this, so no list is saved or loaded meanwhile and the item box
// keeps showing the selected list, which is the one moved.

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
    m_names.MoveSelected(step);
  } else {
    m_items.MoveSelected(step, Today());
  }
}

}  // namespace todo
