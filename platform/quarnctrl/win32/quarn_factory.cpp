// The factory of the DLL's boxes, and the module's load and unload.

#include <windows.h>

#include <cstring>
#include <memory>

#include "quarnctrl/quarn_ctrl.h"
#include "quarnctrl/win32/list_window.h"

CQuarnListBox* CQuarnListBox::NewQuarnCtrl(HWND parent, const char* name, RECT* rect, int) {
  if (name == nullptr || rect == nullptr || parent == nullptr || !IsWindow(parent)) return nullptr;
  std::unique_ptr<CQuarnListBox> box;
  if (std::strcmp(name, "ToDoList") == 0) {
    box.reset(new CQuarnImageListBox);
  } else if (std::strcmp(name, "ToDoItem") == 0) {
    box.reset(new CQuarnToDoListBox);
  } else {
    return nullptr;
  }
  if (!quarn::win32::ListWindow::RegisterWindowClass()) return nullptr;
  auto window = std::make_unique<quarn::win32::ListWindow>(box->m_pModel, parent, *rect);
  if (window->Hwnd() == nullptr) return nullptr;
  box->AttachView(window.release());
  return box.release();
}

// When the DLL is unloaded while the process goes on, its window class goes too: a later load
// at another address must not find the class pointing at this copy's window procedure.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    quarn::win32::ListWindow::UnregisterWindowClass();
  }
  return TRUE;
}
