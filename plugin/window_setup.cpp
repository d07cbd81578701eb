// The tool window's set-up when it is made, and the keyboard filter of its message loop.

#include <windows.h>

#include <commctrl.h>

#include "framework/fw_app.h"
#include "plugin/accessible_names.h"
#include "plugin/todo_tool.h"
#include "plugin/tool_texts.h"
#include "plugin/window_layout.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kButtonIds[] = {IDC_ADD_TOP, IDC_ADD_BOTTOM, IDC_UP, IDC_DOWN, IDC_DELETE, IDC_CLEAR};

// The text box is a multi-line edit control, which answers Esc by closing the dialog it sits
// in. Esc reaches it straight from the keyboard filter so that it never cancels anything; the
// text box takes it and does nothing, and what was typed stays.
LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam == VK_ESCAPE) return 0;
      break;
    case WM_CHAR:
      if (wParam == 0x1B) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &TextBoxProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

constexpr UINT_PTR kTextBoxSubclassId = 1;

}  // namespace

BOOL CToDoTool::OnInitDialog() {
  CHostTool::OnInitDialog();
  m_icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TODO));
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  RestoreWindowPosition();
  SetWindowText(todo::kDisplayName);

  m_toolTip.Create(this, 0);
  m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 1000);
  SetUpButtons();
  PlaceControls();
  SetWindowSubclass(GetDlgItem(IDC_TEXT), &TextBoxProc, kTextBoxSubclassId, 0);
  todo::NameControlsForScreenReaders(m_hWnd);

  m_listBoxRect = todo::layout::kListBox;
  m_itemBoxRect = todo::layout::kItemBox;
  m_itemCountRect = todo::layout::kItemCountLine;

  for (int i = 0; i < 6; ++i) m_buttons[i].AutoLoad(kButtonIds[i], this);
  for (const todo::ControlText& tip : todo::kButtonTips) {
    m_toolTip.AddTool(GetDlgItem(tip.id), tip.text);
  }

  // The window starts in list mode. Checking a radio button also makes it a tab stop, which
  // the mode buttons are not: without this the first focus would go to the button instead of
  // the text box.
  HWND listMode = GetDlgItem(IDC_MODE_LIST);
  ::SendMessageA(listMode, BM_SETCHECK, BST_CHECKED, 0);
  ::SetWindowLongA(listMode, GWL_STYLE, ::GetWindowLongA(listMode, GWL_STYLE) & ~WS_TABSTOP);
  SetUpListBoxes();

  if (HWND host = m_pHostWnd ? m_pHostWnd->m_hWnd : nullptr) {
    ::PostMessageA(host, WM_TOOL_READY, static_cast<WPARAM>(m_nToolId), 0);
  }
  return TRUE;  // the dialog manager focuses the first tab stop, the text box
}

void CToDoTool::SetUpButtons() {
  m_modeListBitmap = std::make_unique<CBitmap>();
  m_modeListBitmap->LoadBitmap(IDB_MODE_LIST);
  m_modeItemBitmap = std::make_unique<CBitmap>();
  m_modeItemBitmap->LoadBitmap(IDB_MODE_ITEM);

  HWND listMode = GetDlgItem(IDC_MODE_LIST);
  ::SendMessageA(listMode, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(static_cast<HBITMAP>(*m_modeListBitmap)));

  HWND itemMode = GetDlgItem(IDC_MODE_ITEM);
  ::SendMessageA(itemMode, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(static_cast<HBITMAP>(*m_modeItemBitmap)));
}

void CToDoTool::PlaceControls() {
  for (const todo::layout::Place& place : todo::layout::kControls) {
    ::MoveWindow(GetDlgItem(place.id), place.left, place.top, place.width, place.height, TRUE);
  }
}

BOOL CToDoTool::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->wParam) {
    case VK_RETURN: {
      // Enter in the text box or the date picker moves on like Tab and adds nothing.
      HWND focus = GetFocus();
      if (focus != GetDlgItem(IDC_TEXT) && focus != GetDlgItem(IDC_DATE)) return FALSE;
      pMsg->wParam = VK_TAB;
      break;
    }
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      // Straight to the focused control: never a cancel command or a focus move.
      return FALSE;
    default:
      break;
  }
  if (RunCommandKey(*pMsg)) return TRUE;
  if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MBUTTONUP &&
      pMsg->message != WM_LBUTTONDBLCLK && pMsg->message != WM_RBUTTONDBLCLK) {
    m_toolTip.RelayEvent(pMsg);
  }
  return CHostTool::PreTranslateMessage(pMsg);
}
