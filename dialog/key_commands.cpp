// The commands given by their keys rather than their buttons.

#include "dialog/todo_dialog.h"

namespace todo {

void ToDoDialog::OnCommandKey(Command command, FocusPlace focus) {
  // A click on a button takes the focus from the text box, whose length check then runs
  // first; a key leaves the focus where it is, so the check runs here, and an add stops when
  // it cut the text, so that nothing is added that the user has not seen.
  const bool adds = command == Command::Add || command == Command::AddAtBottom;
  if (adds && focus == FocusPlace::TextBox && CutTooLongText()) return;
  switch (command) {
    case Command::Add:
      OnAdd();
      break;
    case Command::AddAtBottom:
      OnAddAtBottom();
      break;
    case Command::MoveUp:
      OnMoveUp();
      break;
    case Command::MoveDown:
      OnMoveDown();
      break;
    case Command::Delete:
      OnDelete();
      break;
    case Command::Clear:
      OnClear();
      break;
    case Command::Undo:
      OnUndo();
      break;
    case Command::Redo:
      OnRedo();
      break;
    case Command::None:
      break;
  }
}

}  // namespace todo
