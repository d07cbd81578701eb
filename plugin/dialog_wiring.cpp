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
      CQuarnListBox::NewQuarnCtrl(m_hWnd, "ToDoList", &m_listBoxRect, 0));
  auto* items = static_cast<CQuarnToDoListBox*>(
      CQuarnListBox::NewQuarnCtrl(m_hWnd, "ToDoItem", &m_itemBoxRect, 0));
  // The rows show the list bitmap only when the module has its expected file name.
  if (HMODULE module = GetModuleHandleA(todo::kModuleFileName)) {
    m_listBitmap.Attach(LoadBitmapA(module, MAKEINTRESOURCEA(IDB_LIST)));
  }
  m_closing = false;
  m_listSavedForClose = false;
  m_modalBoxes = std::make_unique<ModalBoxes>(m_hWnd);
  m_windowOps = std::make_unique<Win32WindowOps>(m_hWnd, m_itemCountRect, *m_modalBoxes);
  m_dialog = std::make_unique<todo::ToDoDialog>(*m_windowOps, m_pHost, *m_files, m_bBusy);
  // A box that could not be made stays missing; every operation of the dialog checks for it.
  m_dialog->AttachBoxes(listNames, items, static_cast<HBITMAP>(m_listBitmap.m_hObject));
  m_dialog->ConfigureBoxes(static_cast<HFONT>(m_fontLarge.m_hObject),
                           static_cast<HFONT>(m_fontSmall.m_hObject));
  m_syncSignals = std::make_unique<WindowSyncSignals>(m_hWnd);
  m_dialog->SetSyncSignals(m_syncSignals.get());
  m_dialog->LoadListNames();
}

void CToDoTool::OnListModeClicked() {
  if (m_dialog) m_dialog->OnListModeClicked();
}

void CToDoTool::OnItemModeClicked() {
  if (m_dialog) m_dialog->OnItemModeClicked();
}

void CToDoTool::OnNoDateClicked() {
  // Its state is read only when a list is added.
}

void CToDoTool::OnAddClicked() {
  if (m_dialog) m_dialog->OnAdd();
}

void CToDoTool::OnAddAtBottomClicked() {
  if (m_dialog) m_dialog->OnAddAtBottom();
}

void CToDoTool::OnMoveUpClicked() {
  if (m_dialog) m_dialog->OnMoveUp();
}

void CToDoTool::OnMoveDownClicked() {
  if (m_dialog) m_dialog->OnMoveDown();
}

void CToDoTool::OnDeleteClicked() {
  if (m_dialog) m_dialog->OnDelete();
}

void CToDoTool::OnClearClicked() {
  if (m_dialog) m_dialog->OnClear();
}

void CToDoTool::OnTextKillFocus() {
  // The focus leaves the text box as the window goes: nothing to check then.
  if (m_dialog && !m_closing) m_dialog->OnTextBoxKillFocus();
}

void CToDoTool::OnPaint() {
  const fw::PaintScope paint(m_hWnd);  // ends the paint after the font is put back
  const HDC dc = paint.Dc();
  const int count = m_dialog && m_dialog->ItemBox() ? m_dialog->ItemBox()->GetCount() : 0;
  const std::string text = todo::ItemCountLine(count);
  SetBkMode(dc, TRANSPARENT);
  const fw::Selection font(dc, m_fontSmall.m_hObject);
  RECT rect = m_itemCountRect;
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

LRESULT CToDoTool::OnTimerMessage(WPARAM wParam, LPARAM) {
  if (wParam != kSyncTimerId || !m_syncSignals) return 0;
  m_syncSignals->TimerRan();
  if (m_dialog) m_dialog->OnSyncTimer();
  return 0;
}

LRESULT CToDoTool::OnFolderChanged(WPARAM, LPARAM) {
  if (!m_syncSignals) return 0;
  const std::vector<std::string> changed = m_syncSignals->TakeFolderChanges();
  if (m_dialog) m_dialog->OnFolderChanged(changed);
  return 0;
}

void CToDoTool::StopSyncSignals() {
  if (m_dialog) m_dialog->SetSyncSignals(nullptr);
  m_syncSignals.reset();
}

int CToDoTool::SaveStateNow() {
  StoreWindowPosition();
  return m_dialog ? m_dialog->SaveCurrentList() : 0;
}

void CToDoTool::OnDestroy() {
  Default();
  if (m_modalBoxes) m_modalBoxes->RefuseNewBoxes();
  StoreWindowPosition();
  if (m_dialog) m_dialog->SaveOnClose(m_listSavedForClose);
  ReleaseWindowResources();
}

void CToDoTool::ReleaseWindowResources() {
  StopSyncSignals();
  if (m_dialog) m_dialog->ReleaseBoxes();
  m_dialog.reset();
  m_windowOps.reset();
  m_modalBoxes.reset();  // the close waited for every box
  m_fontLarge.DeleteObject();
  m_fontSmall.DeleteObject();
  m_listBitmap.DeleteObject();
  m_modeListBitmap.reset();
  m_modeItemBitmap.reset();
}
