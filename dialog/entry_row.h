#pragma once
// The entry row of the dialog and its mode: the text box, the date picker, the no-date box
// and the two mode buttons, reached through WindowOps. The mode is held by the list-mode
// button; inside the dialog it is an InputMode, its name is used only where the host hands
// one over or asks for it. Portable; on the tool thread.

#include <cstddef>
#include <string>

#include "dialog/window_ops.h"

namespace todo {

// What the entry row adds to: lists or the selected list's items.
enum class InputMode { List, Item };

// The two mode names, as the host reads and sets the mode.
extern const char kListModeName[];  // "ﾘｽﾄ一覧"
extern const char kItemModeName[];  // "ｱｲﾃﾑ一覧"

// The name of `mode`.
const char* ModeName(InputMode mode);
// The mode named `name`; false (and *mode unchanged) for any other text or null.
bool ModeOfName(const char* name, InputMode* mode);

class EntryRow {
 public:
  explicit EntryRow(WindowOps& window) : m_window(window) {}

  // The current mode: list mode while the list-mode button is checked.
  InputMode Mode();
  bool InListMode() { return Mode() == InputMode::List; }
  // Checks the button of `mode` and unchecks the other, as a click on it would.
  void CheckModeButton(InputMode mode);
  // Applies `mode` to the entry row: list mode takes the no-date box (unchecked) and leaves
  // the date picker off; item mode shows `noDate` in the no-date box, which it turns off,
  // and turns the picker on unless `noDate`.
  void Apply(InputMode mode, bool noDate);
  // Shows a loaded list's kind: in list mode by checking the no-date box, in item mode by
  // turning the date picker off for a no-date list and on for a dated one.
  void ShowListKind(bool noDate);

  // Whether the no-date box is checked: a new list is to be a no-date list.
  bool NoDateChecked() { return m_window.IsChecked(DialogControl::NoDateBox); }
  // The text box's text as typed.
  std::string Typed() { return m_window.TextBoxText(); }
  // Empties the text box.
  void ClearText() { m_window.SetTextBoxText(std::string()); }
  void Focus() { m_window.FocusTextBox(); }
  // A text longer than `limit` bytes as one line is cut to it at a character boundary and put
  // back, and the text box takes the focus again. True when it was cut.
  bool CutToLimit(std::size_t limit);

 private:
  WindowOps& m_window;
};

}  // namespace todo
