#include "dialog/todo_dialog.h"

namespace todo {

ToDoDialog::ToDoDialog(WindowOps& window, IHostServices* host, storage::Files& files,
                       std::atomic<int>& busy)
    : m_window(window), m_host(host), m_files(files), m_busy(busy) {}

ToDoDialog::~ToDoDialog() {
  ReleaseBoxes();
}

void ToDoDialog::AttachBoxes(CQuarnImageListBox* listNames, CQuarnToDoListBox* items,
                             HBITMAP listBitmap) {
  ReleaseBoxes();
  m_listNames = listNames;
  m_items = items;
  m_listBitmap = listBitmap;
}

void ToDoDialog::ReleaseBoxes() {
  if (m_listNames != nullptr) {
    m_listNames->DestroyCtrl();
    delete m_listNames;
    m_listNames = nullptr;
  }
  if (m_items != nullptr) {
    m_items->DestroyCtrl();
    delete m_items;
    m_items = nullptr;
  }
}

MessageAnswer ToDoDialog::Ask(const char* text, MessageButtons buttons, MessageIcon icon) {
  m_busy = 1;
  MessageAnswer answer = m_window.ShowMessage(text, buttons, icon);
  m_busy = 0;
  return answer;
}

}  // namespace todo
