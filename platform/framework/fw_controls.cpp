#include "framework/fw_controls.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/fw_gdi_scope.h"

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* pParent) {
  if (!SubclassDlgItem(id, pParent)) return FALSE;
  char caption[256] = "";
  GetWindowTextA(m_hWnd, caption, sizeof(caption));
  const std::string name = caption;
  if (!LoadBitmaps((name + "U").c_str(), (name + "D").c_str(), (name + "F").c_str(),
                   (name + "X").c_str())) {
    return FALSE;
  }
  SizeToContent();
  return TRUE;
}

BOOL CBitmapButton::LoadBitmaps(const char* normal, const char* pressed, const char* focused,
                                const char* disabled) {
  m_bitmapSel.DeleteObject();
  m_bitmapFocus.DeleteObject();
  m_bitmapDisabled.DeleteObject();
  if (!m_bitmap.LoadBitmap(normal)) return FALSE;
  if (pressed) m_bitmapSel.LoadBitmap(pressed);
  if (focused) m_bitmapFocus.LoadBitmap(focused);
  if (disabled) m_bitmapDisabled.LoadBitmap(disabled);
  return TRUE;
}

void CBitmapButton::SizeToContent() const {
  const SIZE size = m_bitmap.GetSize();
  if (m_hWnd && size.cx > 0) {
    SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

BOOL CBitmapButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return FALSE;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  *pResult = TRUE;
  return TRUE;
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
  const CBitmap* image = &m_bitmap;
  if ((item.itemState & ODS_SELECTED) && m_bitmapSel.m_hObject) {
    image = &m_bitmapSel;
  } else if ((item.itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject) {
    image = &m_bitmapFocus;
  } else if ((item.itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject) {
    image = &m_bitmapDisabled;
  }
  if (!image->m_hObject) return;
  const fw::MemoryDc memory(item.hDC);
  if (!memory.Get()) return;
  const fw::Selection selected(memory.Get(), image->m_hObject);
  const RECT& r = item.rcItem;
  BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), 0, 0, SRCCOPY);
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD style) {
  if (m_hWnd || !pParentWnd) return FALSE;
  HWND hWnd = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->m_hWnd,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  return hWnd && SubclassWindow(hWnd);
}

BOOL CToolTipCtrl::AddTool(HWND hTool, const char* text) {
  if (!m_hWnd || !hTool) return FALSE;
  TOOLINFOA info = {};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND;
  info.hwnd = GetParent(hTool);
  info.uId = reinterpret_cast<UINT_PTR>(hTool);
  info.lpszText = const_cast<char*>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetDelayTime(DWORD which, int milliseconds) const {
  SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) const {
  if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
