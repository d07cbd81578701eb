// How the two boxes are set up, and what the dialog does when the user works in them or on
// the mode buttons.

#include "dialog/todo_dialog.h"

namespace todo {

namespace {

ToDoDialog& DialogOf(void* user) {
  return *static_cast<ToDoDialog*>(user);
}

int ListBoxActivated(void* user) {
  return DialogOf(user).OnListBoxActivated();
}
int ItemBoxActivated(void* user) {
  return DialogOf(user).OnItemBoxActivated();
}
int LeaveList(void* user) {
  return DialogOf(user).OnLeaveList();
}
int LoadList(void* user) {
  return DialogOf(user).OnLoadList();
}
int ItemEdited(void* user) {
  return DialogOf(user).OnItemEdited();
}
int ListNameEdited(void* user) {
  return DialogOf(user).OnListNameEdited();
}
int EditBegins(void*) {
  return 0;
}
int AllowItemSelectionChange(void*) {
  return 1;
}
int ItemSelectionChanged(void*) {
  return 0;
}

constexpr int kNameRowHeight = 20;
constexpr int kItemRowHeight = 18;
constexpr int kCheckColumnWidth = 36;

}  // namespace

void ToDoDialog::ConfigureBoxes(HFONT nameFont, HFONT itemFont) {
  if (m_listNames != nullptr) {
    m_listNames->SetUseItemLine(0);
    m_listNames->SetUseColumnHeader(0);
    m_listNames->SetEditable(1);
    m_listNames->SetCtrlFont(nameFont, 1);
    m_listNames->SetItemHeight(kNameRowHeight);
    m_listNames->SetCallback(QUARN_EVENT_SELCHANGING, &LeaveList, this);
    m_listNames->SetCallback(QUARN_EVENT_SELCHANGING_KEY, &LeaveList, this);
    m_listNames->SetCallback(QUARN_EVENT_SELCHANGED, &LoadList, this);
    m_listNames->SetCallback(QUARN_EVENT_EDITBEGIN, &EditBegins, this);
    m_listNames->SetCallback(QUARN_EVENT_NAMEEDITED, &ListNameEdited, this);
    m_listNames->SetCallback(QUARN_EVENT_ACTIVATE, &ListBoxActivated, this);
  }
  if (m_items != nullptr) {
    m_items->SetUseItemLine(1);
    m_items->SetUseColumnHeader(1);
    m_items->SetEditable(1);
    m_items->SetColumnLabel(QUARN_COLUMN_CHECK, "ﾁｪｯｸ");
    m_items->SetColumnLabel(QUARN_COLUMN_TEXT, "ToDo内容");
    m_items->SetColumnLabel(QUARN_COLUMN_DATE, "期限日");
    m_items->SetCtrlFont(itemFont, 1);
    m_items->SetItemHeight(kItemRowHeight);
    m_items->SetColumnWidth(QUARN_COLUMN_CHECK, kCheckColumnWidth);
    m_items->SetColumnWidth(QUARN_COLUMN_TEXT, kTextColumnWidth);
    m_items->SetCallback(QUARN_EVENT_SELCHANGING, &AllowItemSelectionChange, this);
    m_items->SetCallback(QUARN_EVENT_SELCHANGED, &ItemSelectionChanged, this);
    m_items->SetCallback(QUARN_EVENT_EDITBEGIN, &EditBegins, this);
    m_items->SetCallback(QUARN_EVENT_EDITEND, &ItemEdited, this);
    m_items->SetCallback(QUARN_EVENT_ACTIVATE, &ItemBoxActivated, this);
  }
}

void ToDoDialog::OnListModeClicked() {
  ApplyInputMode(InputMode::List);
  m_window.SetTextBoxText(std::string());
}

void ToDoDialog::OnItemModeClicked() {
  ApplyInputMode(InputMode::Item);
  m_window.SetTextBoxText(std::string());
}

int ToDoDialog::OnListBoxActivated() {
  m_window.SetChecked(DialogControl::ListModeButton, true);
  m_window.SetChecked(DialogControl::ItemModeButton, false);
  OnListModeClicked();
  return 1;
}

int ToDoDialog::OnItemBoxActivated() {
  m_window.SetChecked(DialogControl::ListModeButton, false);
  m_window.SetChecked(DialogControl::ItemModeButton, true);
  OnItemModeClicked();
  return 1;
}

int ToDoDialog::OnLeaveList() {
  if (SaveSelectedList() == SaveOutcome::kFailed) return 0;
  if (m_items != nullptr) m_items->ResetContent();
  return 1;
}

int ToDoDialog::OnLoadList() {
  LoadCurrentList();
  m_window.InvalidateItemCount();
  return 0;
}

int ToDoDialog::OnItemEdited() {
  if (m_items != nullptr) ColourItem(m_items->GetCurSel());
  return 1;
}

}  // namespace todo
