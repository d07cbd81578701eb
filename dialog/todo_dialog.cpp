#include "dialog/todo_dialog.h"

namespace todo {

ToDoDialog::ToDoDialog(WindowOps& window, IHostServices* host, storage::Files& files,
                       std::atomic<int>& busy)
    : m_window(window), m_host(host), m_files(files), m_busy(busy) {}

ToDoDialog::~ToDoDialog() {
  ReleaseBoxes();  // the list-name box first, as the window had them
}

void ToDoDialog::AttachBoxes(CQuarnImageListBox* listNames, CQuarnToDoListBox* items,
                             HBITMAP listBitmap) {
  ReleaseBoxes();
  m_listNames.reset(listNames);
  m_items.reset(items);
  m_listBitmap = listBitmap;
}

void ToDoDialog::ReleaseBoxes() {
  m_listNames.reset();
  m_items.reset();
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

}  // namespace todo
