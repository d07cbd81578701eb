// The input mode, held by the list-mode button, and the colours of item rows.

#include <cstring>

#include "dialog/todo_dialog.h"

namespace todo {

const char kListModeName[] = "ﾘｽﾄ一覧";
const char kItemModeName[] = "ｱｲﾃﾑ一覧";

void ToDoDialog::GetInputMode(char* buffer) {
  if (buffer == nullptr) return;
  std::strcpy(buffer, InListMode() ? kListModeName : kItemModeName);
}

bool ToDoDialog::InListMode() {
  return m_window.IsChecked(DialogControl::ListModeButton);
}

void ToDoDialog::SetInputMode(const char* mode) {
  if (mode == nullptr) return;
  if (std::strcmp(mode, kListModeName) == 0) {
    ApplyInputMode(InputMode::List);
  } else if (std::strcmp(mode, kItemModeName) == 0) {
    ApplyInputMode(InputMode::Item);
  }
}

void ToDoDialog::ApplyInputMode(InputMode mode) {
  if (mode == InputMode::List) {
    m_window.Enable(DialogControl::DatePicker, false);
    m_window.Enable(DialogControl::NoDateBox, true);
    m_window.SetChecked(DialogControl::NoDateBox, false);
  } else {
    m_window.SetChecked(DialogControl::NoDateBox, m_noDate);
    m_window.Enable(DialogControl::DatePicker, !m_noDate);
    m_window.Enable(DialogControl::NoDateBox, false);
  }
}

void ToDoDialog::ColourItem(int row) {
  ColourItem(row, CQuarnListBox::ConvertToDateData(m_window.TodayUtc()));
}

void ToDoDialog::ColourItem(int row, DWORD today) {
  if (m_items == nullptr || row < 0 || row >= m_items->GetCount()) return;
  COLORREF colour;
  if (m_items->GetItemCheck(row) != 0) {
    colour = kColourDone;
  } else if (m_noDate) {
    colour = kColourNoDate;
  } else {
    DWORD due = m_items->GetItemData(row);
    colour = due < today ? kColourOverdue : due == today ? kColourDueToday : kColourDueLater;
  }
  m_items->SetItemColor(row, colour);
}

}  // namespace todo
