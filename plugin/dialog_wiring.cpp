// The tool window's part that joins the dialog logic to the window: the two list boxes, the
// mode buttons, the item-count line, the saves, and the release of it all when the window
// goes.

#include <string>

#include "framework/fw_app.h"
#include "framework/fw_gdi_scope.h"
#include "plugin/todo_tool.h"
#include "plugin/tool_texts.h"
#include "resources/resource_ids.h"

void CToDoTool::SetUpListBoxes() {
  auto* listNames = static_cast<CQuarnImageListBox*>(
      CQuarnListBox::NewQuarnCtrl(m_hWnd, "ToDoList", &m_rectListBox, 0));
  auto* items = static_cast<CQuarnToDoListBox*>(
      CQuarnListBox::NewQuarnCtrl(m_hWnd, "ToDoItem", &m_rectItemBox, 0));
  // The rows show the list bitmap only when the module has its expected file name.
  if (HMODULE module = GetModuleHandleA(todo::kModuleFileName)) {
    m_bitmapList.Attach(LoadBitmapA(module, MAKEINTRESOURCEA(IDB_LIST)));
  }
  m_bClosing = false;
  m_bListSavedForClose = false;
  m_pModalBoxes = std::make_unique<ModalBoxes>(m_hWnd);
  m_pWindowOps = std::make_unique<Win32WindowOps>(m_hWnd, m_rectItemCount, *m_pModalBoxes);
  m_pDialog = std::make_unique<todo::ToDoDialog>(*m_pWindowOps, m_pHost, *m_pFiles, m_bBusy);
  // A box that could not be made stays missing; every operation of the dialog checks for it.
  m_pDialog->AttachBoxes(listNames, items, static_cast<HBITMAP>(m_bitmapList.m_hObject));
  m_pDialog->ConfigureBoxes(static_cast<HFONT>(m_fontLarge.m_hObject),
                            static_cast<HFONT>(m_fontSmall.m_hObject));
  m_pDialog->LoadListNames();
}

void CToDoTool::OnListModeClicked() {
  if (m_pDialog) m_pDialog->OnListModeClicked();
}

void CToDoTool::OnItemModeClicked() {
  if (m_pDialog) m_pDialog->OnItemModeClicked();
}

void CToDoTool::OnNoDateClicked() {
  // Its state is read only when a list is added.
}

void CToDoTool::OnAddClicked() {
  if (m_pDialog) m_pDialog->OnAdd();
}

void CToDoTool::OnAddAtBottomClicked() {
  if (m_pDialog) m_pDialog->OnAddAtBottom();
}

void CToDoTool::OnMoveUpClicked() {
  if (m_pDialog) m_pDialog->OnMoveUp();
}

void CToDoTool::OnMoveDownClicked() {
  if (m_pDialog) m_pDialog->OnMoveDown();
}

void CToDoTool::OnDeleteClicked() {
  if (m_pDialog) m_pDialog->OnDelete();
}

void CToDoTool::OnClearClicked() {
  if (m_pDialog) m_pDialog->OnClear();
}

void CToDoTool::OnTextKillFocus() {
  // The focus leaves the text box as the window goes: nothing to check then.
  if (m_pDialog && !m_bClosing) m_pDialog->OnTextBoxKillFocus();
}

void CToDoTool::OnPaint() {
  const fw::PaintScope paint(m_hWnd);  // ends the paint after the font is put back
  const HDC dc = paint.Dc();
  const int count = m_pDialog && m_pDialog->ItemBox() ? m_pDialog->ItemBox()->GetCount() : 0;
  const std::string text = todo::ItemCountLine(count);
  SetBkMode(dc, TRANSPARENT);
  const fw::Selection font(dc, m_fontSmall.m_hObject);
  RECT rect = m_rectItemCount;
  DrawTextA(dc, text.c_str(), -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

int CToDoTool::SaveState() {
  // The window and its boxes belong to the tool thread: a call from any other thread is
  // handed to it and waits for its answer.
  HWND window = m_hWnd;
  if (window && GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    return static_cast<int>(::SendMessageA(window, kSaveStateMessage, 0, 0));
  }
  return SaveStateNow();
}

LRESULT CToDoTool::OnSaveStateOnToolThread(WPARAM, LPARAM) {
  return SaveStateNow();
}

int CToDoTool::SaveStateNow() {
  StoreWindowPosition();
  return m_pDialog ? m_pDialog->SaveCurrentList() : 0;
}

void CToDoTool::OnDestroy() {
  Default();
  if (m_pModalBoxes) m_pModalBoxes->RefuseNewBoxes();
  StoreWindowPosition();
  if (m_pDialog) m_pDialog->SaveOnClose(m_bListSavedForClose);
  ReleaseWindowResources();
}

void CToDoTool::ReleaseWindowResources() {
  if (m_pDialog) m_pDialog->ReleaseBoxes();
  m_pDialog.reset();
  m_pWindowOps.reset();
  m_pModalBoxes.reset();  // the close waited for every box
  m_brushRed.DeleteObject();
  m_brushYellow.DeleteObject();
  m_fontLarge.DeleteObject();
  m_fontSmall.DeleteObject();
  m_bitmapList.DeleteObject();
  m_pModeListBitmap.reset();
  m_pModeItemBitmap.reset();
}
