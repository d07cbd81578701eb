#pragma once
// The list-name side of the dialog: the box of list names, which it owns, and the rules that
// concern only the names in it. What a name means on disk is the gate's business
// (list_folder_gate.h). Portable; on the tool thread.

#include <memory>
#include <string>
#include <vector>

#include "quarnctrl/quarn_ctrl.h"

namespace todo {

class ListNameSide {
 public:
  // Takes ownership of `box` (may be null), dropping the one held before, and remembers the
  // bitmap that its rows show (not owned).
  void Attach(CQuarnImageListBox* box, HBITMAP listBitmap);
  // Destroys and deletes the box; afterwards the side has none.
  void Release() { m_box.reset(); }
  CQuarnImageListBox* Box() const { return m_box.get(); }
  bool HasBox() const { return m_box != nullptr; }

  // Sets the box up as the tool window shows it: no row lines or header, names editable in
  // place, `font` (not owned) and the row height.
  void Configure(HFONT font);

  // The selected row, -1 when none (or no box).
  int Selected() const { return m_box != nullptr ? m_box->GetCurSel() : -1; }
  int Count() const { return m_box != nullptr ? m_box->GetCount() : 0; }
  // The name in row `row`; the box must exist.
  const char* NameOf(int row) const { return m_box->GetItemText(row); }

  // Replaces the rows with `names`, in their order, leaving out blank ones (no list can be
  // made, used or stored without a name); none is selected afterwards.
  void Fill(const std::vector<std::string>& names);
  // Every row's name, in the box's order.
  std::vector<std::string> Names() const;
  // Whether a row other than `except` (-1: none) holds `name`, letter case aside: on Windows
  // two such names name one file. The one rule of adding and of renaming in place.
  bool Taken(const std::string& name, int except) const;

  // Puts `name` at the top or at the bottom and selects it.
  void AddSelected(const std::string& name, bool atBottom);
  // Moves the selected name `step` places (-1 up, +1 down); it stays selected. Returns its
  // new row, -1 when nothing moved.
  int MoveSelected(int step);
  // The first row holding exactly `name`, -1 when none does.
  int RowOf(const std::string& name) const;
  // The row whose list has the file of `name`: holding it exactly, else equal but for letter
  // case (on Windows one file name); -1 when none.
  int RowOfFile(const std::string& name) const;
  // Puts `name` in at `row` (the count: at the end); the selected list stays selected.
  void Insert(int row, const std::string& name);
  // Gives row `row` the name `name`; the selection stays where it is.
  void SetName(int row, const std::string& name);
  void Select(int row) { m_box->SetCurSel(row); }
  // Removes row `row`.
  void Remove(int row) { m_box->DeleteItem(static_cast<unsigned int>(row)); }
  void Unselect() { m_box->SetCurSel(-1); }
  void Clear() { m_box->ResetContent(); }

 private:
  std::unique_ptr<CQuarnImageListBox, CQuarnBoxDeleter> m_box;
  HBITMAP m_bitmap = nullptr;
};

}  // namespace todo
