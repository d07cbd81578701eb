#pragma once
// The keys of the window's six commands. Each command has one key, chosen where the window
// does nothing with a key today: the Alt+letter keys that a button's mnemonic would take, and
// Delete in either box. Enter, Esc, Tab and the arrow keys keep what they do, and so do the edit
// keys of the text box and the in-place editors. Pure; any thread.

namespace todo {

// The commands of the window's buttons.
enum class Command { None, Add, AddAtBottom, MoveUp, MoveDown, Delete, Clear, Undo, Redo };

// Where the keyboard focus is when a key is pressed.
enum class FocusPlace {
  TextBox,        // the entry row's text box
  ListNameBox,    // the list-name box itself
  ItemBox,        // the item box itself
  InPlaceEditor,  // an editor open over a cell of either box
  Other,          // any other control of the window, or the window
};

// The virtual-key code of Delete; letters are their capitals' codes.
constexpr unsigned kDeleteKey = 0x2E;

// A key going down, with the modifier keys held at that moment.
struct KeyPress {
  unsigned key = 0;
  bool alt = false;
  bool control = false;
  bool shift = false;
};

// The command `press` gives where the focus is, or None:
//   Alt+A  Add                 Alt+U  Move up
//   Alt+B  Add at the bottom   Alt+D  Move down
//   Alt+C  Clear               Delete (in either box) Delete
//   Ctrl+Z Undo                Ctrl+Y, Shift+Ctrl+Z   Redo
// The Alt keys act anywhere in the window but in an in-place editor; no other modifier may be
// held with them (Ctrl+Alt is AltGr on some keyboards, which types characters). Undo and Redo
// act anywhere but in the text box and the editors, which undo their own typing.
Command CommandOfKey(const KeyPress& press, FocusPlace focus);

}  // namespace todo
