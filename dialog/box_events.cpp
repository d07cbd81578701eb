// What the dialog does when the user works in the two boxes: the handlers of their events.

#include <utility>

#include "dialog/todo_dialog.h"

namespace todo {

// The boxes call plain functions with the dialog as their user pointer.
struct ToDoDialog::BoxEvents {
  static ToDoDialog& DialogOf(void* user) { return *static_cast<ToDoDialog*>(user); }

  static int ListBoxActivated(void* user) { return DialogOf(user).OnListBoxActivated(); }
  static int ItemBoxActivated(void* user) { return DialogOf(user).OnItemBoxActivated(); }
  static int LeaveList(void* user) { return DialogOf(user).OnLeaveList(); }
  static int LoadList(void* user) { return DialogOf(user).OnLoadList(); }
  static int ItemEdited(void* user) { return DialogOf(user).OnItemEdited(); }
  static int ListNameEdited(void* user) { return DialogOf(user).OnListNameEdited(); }
  static int EditBegins(void*) { return 0; }
  static int ItemEditBegins(void* user) { return DialogOf(user).OnItemEditBegins(); }
  static int AllowItemSelectionChange(void*) { return 1; }
  static int ItemSelectionChanged(void*) { return 0; }
};

void ToDoDialog::ConfigureBoxes(HFONT nameFont, HFONT itemFont) {
  m_names.Configure(nameFont);
  if (CQuarnImageListBox* names = m_names.Box()) {
    names->SetCallback(QUARN_EVENT_SELCHANGING, &BoxEvents::LeaveList, this);
    names->SetCallback(QUARN_EVENT_SELCHANGING_KEY, &BoxEvents::LeaveList, this);
    names->SetCallback(QUARN_EVENT_SELCHANGED, &BoxEvents::LoadList, this);
    names->SetCallback(QUARN_EVENT_EDITBEGIN, &BoxEvents::EditBegins, this);
    names->SetCallback(QUARN_EVENT_NAMEEDITED, &BoxEvents::ListNameEdited, this);
    names->SetCallback(QUARN_EVENT_ACTIVATE, &BoxEvents::ListBoxActivated, this);
  }
  m_items.Configure(itemFont);
  if (CQuarnToDoListBox* items = m_items.Box()) {
    items->SetCallback(QUARN_EVENT_SELCHANGING, &BoxEvents::AllowItemSelectionChange, this);
    items->SetCallback(QUARN_EVENT_SELCHANGED, &BoxEvents::ItemSelectionChanged, this);
    items->SetCallback(QUARN_EVENT_EDITBEGIN, &BoxEvents::ItemEditBegins, this);
    items->SetCallback(QUARN_EVENT_EDITEND, &BoxEvents::ItemEdited, this);
    items->SetCallback(QUARN_EVENT_ACTIVATE, &BoxEvents::ItemBoxActivated, this);
  }
}

int ToDoDialog::OnListBoxActivated() {
  m_entry.CheckModeButton(InputMode::List);
  OnListModeClicked();
  return 1;
}

int ToDoDialog::OnItemBoxActivated() {
  m_entry.CheckModeButton(InputMode::Item);
  OnItemModeClicked();
  return 1;
}

int ToDoDialog::OnLeaveList() {
  if (!LeaveSelectedList()) return 0;
  if (m_items.HasBox()) m_items.Clear();
  return 1;
}

int ToDoDialog::OnLoadList() {
  LoadCurrentList();
  m_window.InvalidateItemCount();
  return 0;
}

int ToDoDialog::OnItemEditBegins() {
  m_editRow = m_items.Selected();
  if (m_editRow >= 0) {
    m_editBefore = m_items.RowAt(m_editRow);
    m_editList = SelectedListName();
  }
  return 0;
}

int ToDoDialog::OnItemEdited() {
  if (!m_items.HasBox()) return 1;
  const int row = m_items.Selected();
  ColourItem(row);
  if (row >= 0 && row == m_editRow && m_editList == SelectedListName()) {
    const ItemRow after = m_items.RowAt(row);
    if (after != m_editBefore) RecordStep(ItemEdited(m_editList, row, m_editBefore, after));
  }
  m_editRow = -1;
  return 1;
}

}  // namespace todo
