// The dialog's parts put together, its mode as the host and the mode buttons see it, and its
// message boxes.

#include "dialog/todo_dialog.h"

#include <cstring>

namespace todo {

ToDoDialog::ToDoDialog(WindowOps& window, IHostServices* host, storage::Files& files,
                       std::atomic<int>& busy)
    : m_window(window), m_busy(busy), m_entry(window), m_gate(host, files) {}

ToDoDialog::~ToDoDialog() {
  ReleaseBoxes();
}

void ToDoDialog::AttachBoxes(CQuarnImageListBox* listNames, CQuarnToDoListBox* items,
                             HBITMAP listBitmap) {
  ReleaseBoxes();
  m_names.Attach(listNames, listBitmap);
  m_items.Attach(items);
}

void ToDoDialog::ReleaseBoxes() {
  // The list-name box first, as the window had them.
  m_names.Release();
  m_items.Release();
}

std::string ItemCountLine(int count) {
  return "登録ｱｲﾃﾑ： " + std::to_string(count) + " 件";
}

MessageAnswer ToDoDialog::Ask(const char* text, MessageButtons buttons, MessageIcon icon) {
  m_busy = 1;
  MessageAnswer answer = m_window.ShowMessage(text, buttons, icon);
  m_busy = 0;
  return answer;
}

DWORD ToDoDialog::Today() {
  return CQuarnListBox::ConvertToDateData(m_window.TodayUtc());
}

void ToDoDialog::OnListModeClicked() {
  ApplyInputMode(InputMode::List);
  m_entry.ClearText();
}

void ToDoDialog::OnItemModeClicked() {
  ApplyInputMode(InputMode::Item);
  m_entry.ClearText();
}

void ToDoDialog::GetInputMode(char* buffer) {
  if (buffer == nullptr) return;
  std::strcpy(buffer, ModeName(m_entry.Mode()));
}

void ToDoDialog::SetInputMode(const char* mode) {
  InputMode named;
  if (ModeOfName(mode, &named)) ApplyInputMode(named);
}

void ToDoDialog::ApplyInputMode(InputMode mode) {
  m_entry.Apply(mode, m_items.NoDate());
}

void ToDoDialog::ColourItem(int row) {
  m_items.Colour(row, Today());
}

}  // namespace todo
