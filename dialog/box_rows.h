#pragma once
// Moving a box's selected row, shared by the list-name side and the item side.

#include <string>

#include "quarnctrl/quarn_ctrl.h"

namespace todo {

// Moves the selected row of `box` `step` places (-1 up, +1 down) and selects it there.
// `putBack(to, text, check, data)` inserts the row's content at `to`, which is the row count
// when the row goes to the end. Returns the row's new index; -1 when nothing moved (no
// selection, or the box's end).
template <class PutBack>
int MoveSelectedRow(CQuarnListBox& box, int step, PutBack putBack) {
  const int from = box.GetCurSel();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= box.GetCount()) return -1;
  // The row is taken out and put back whole (texts of any length): a name cut short would no
  // longer name its list's file, an item text cut short would lose its end at the next save.
  const std::string text = box.GetItemText(from);
  const int check = box.GetItemCheck(from);
  const DWORD data = box.GetItemData(from);
  box.DeleteItem(static_cast<unsigned int>(from));
  putBack(to, text, check, data);
  box.SetCurSel(to);
  return to;
}

}  // namespace todo
