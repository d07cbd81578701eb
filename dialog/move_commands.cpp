// Move-up and Move-down: the selected list or item changes places with its neighbour.

#include <string>

#include "dialog/todo_dialog.h"

namespace todo {

void ToDoDialog::OnMoveUp() {
  MoveSelected(-1);
}

void ToDoDialog::OnMoveDown() {
  MoveSelected(+1);
}

void ToDoDialog::MoveSelected(int step) {
  const bool listMode = InListMode();
  CQuarnListBox* box = listMode ? static_cast<CQuarnListBox*>(m_listNames.get()) : m_items.get();
  if (box == nullptr) return;
  const int from = box->GetCurSel();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= box->GetCount()) return;
  // The entry is taken out and put back whole (texts of any length): a name cut short would
  // no longer name its list's file, an item text cut short would lose its end at the next
  // save. The boxes raise no events for this, so no list is saved or loaded meanwhile and
  // the item box keeps showing the selected list, which is the one moved.
  const std::string text = box->GetItemText(from);
  const int check = box->GetItemCheck(from);
  const DWORD data = box->GetItemData(from);
  box->DeleteItem(static_cast<unsigned int>(from));
  // Inserting at the count appends: the way down past the last but one entry.
  if (listMode) {
    if (to < m_listNames->GetCount()) {
      m_listNames->InsertItem(to, m_listBitmap, text.c_str(), 0);
    } else {
      m_listNames->AddItem(m_listBitmap, text.c_str(), 0);
    }
  } else if (to < m_items->GetCount()) {
    m_items->InsertItem(to, check, text.c_str(), data);
  } else {
    m_items->AddItem(check, text.c_str(), data);
  }
  box->SetCurSel(to);
  if (!listMode) ColourItem(m_items->GetCurSel());
}

}  // namespace todo
