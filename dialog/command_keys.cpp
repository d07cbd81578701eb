#include "dialog/command_keys.h"

namespace todo {

Command CommandOfKey(const KeyPress& press, FocusPlace focus) {
  if (focus == FocusPlace::InPlaceEditor) return Command::None;
  if (press.key == kDeleteKey && !press.alt && !press.control && !press.shift) {
    const bool inABox = focus == FocusPlace::ListNameBox || focus == FocusPlace::ItemBox;
    return inABox ? Command::Delete : Command::None;
  }
  if (press.control && !press.alt) {
    if (focus == FocusPlace::TextBox) return Command::None;
    if (press.key == 'Z') return press.shift ? Command::Redo : Command::Undo;
    if (press.key == 'Y' && !press.shift) return Command::Redo;
    return Command::None;
  }
  if (!press.alt || press.control || press.shift) return Command::None;
  switch (press.key) {
    case 'A':
      return Command::Add;
    case 'B':
      return Command::AddAtBottom;
    case 'U':
      return Command::MoveUp;
    case 'D':
      return Command::MoveDown;
    case 'C':
      return Command::Clear;
    default:
      return Command::None;
  }
}

}  // namespace todo
