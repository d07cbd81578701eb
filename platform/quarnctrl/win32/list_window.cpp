// The box's window: class registration, message dispatch, painting and scrolling.

#include "quarnctrl/win32/list_window.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/fw_gdi_scope.h"
#include "quarnctrl/win32/list_painter.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quarn::win32 {

using fw::GdiObject;
using fw::MemoryDc;
using fw::PaintScope;
using fw::Selection;

namespace {

// The module the window class belongs to: this DLL, wherever it was loaded.
HINSTANCE ModuleInstance() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace

constexpr char ListWindow::kClassName[];

bool ListWindow::RegisterWindowClass() {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(ModuleInstance(), kClassName, &existing)) return true;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_DATE_CLASSES;
  InitCommonControlsEx(&controls);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = &ListWindow::WindowProc;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  // Another thread may have registered it meanwhile.
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void ListWindow::UnregisterWindowClass() {
  UnregisterClassA(kClassName, ModuleInstance());
}

ListWindow::ListWindow(ListModel* model, HWND parent, const RECT& rect) : m_model(model) {
  // WM_NCCREATE stores the window handle.
  CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPCHILDREN, rect.left,
                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                  ModuleInstance(), this);
}

ListWindow::~ListWindow() {
  Destroy();
}

LRESULT CALLBACK ListWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* window = static_cast<ListWindow*>(create->lpCreateParams);
    window->m_hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<ListWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    window->m_hwnd = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  return window->Handle(message, wParam, lParam);
}

LRESULT ListWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting covers everything
    case WM_SIZE:
      PlaceEditor();
      Invalidate();
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnPress(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
              message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_TIMER:
      if (OnTimer(wParam)) return 0;
      break;
    case WM_SETFOCUS:
      OnSetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_KILLFOCUS:
      Invalidate();  // the selection turns to its quieter colour
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE && m_editor != nullptr &&
          reinterpret_cast<HWND>(lParam) == m_editor->Hwnd()) {
        m_editor->OnChange();
      }
      return 0;
    case DateEditor::kDropDownClosed:
      OnDropDownClosed(static_cast<unsigned>(wParam));
      return 0;
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(m_font);
    case WM_GETOBJECT:
      return OnGetObject(wParam, lParam);
    case kDefaultAction:
      OnDefaultAction(static_cast<int>(wParam), static_cast<unsigned>(lParam));
      return 0;
    case WM_DESTROY:
      // The parent is being destroyed with the box still in it.
      m_destroying = true;
      CancelPendingEdit();
      DiscardEditor();
      DisconnectAccessible();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

void ListWindow::Destroy() {
  m_destroying = true;
  CancelPendingEdit();
  DiscardEditor();
  if (m_hwnd != nullptr) DestroyWindow(m_hwnd);  // WM_NCDESTROY forgets the handle
  m_hwnd = nullptr;
  DisconnectAccessible();
}

ListLayout ListWindow::Layout() const {
  RECT client{};
  if (m_hwnd != nullptr) GetClientRect(m_hwnd, &client);
  return ListLayout(*m_model, client.right, client.bottom, m_top);
}

HFONT ListWindow::Font() const {
  return m_font != nullptr ? m_font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ListWindow::VisibleRows() const {
  return m_hwnd != nullptr ? Layout().WholeRows() : 1;
}

void ListWindow::Invalidate() {
  // Many changes in a row (filling a box) need one repaint; the scroll bar follows the
  // row count when the repaint comes.
  if (m_hwnd == nullptr || m_paintPending) return;
  m_paintPending = true;
  InvalidateRect(m_hwnd, nullptr, FALSE);
}

void ListWindow::InvalidateRow(int row) {
  // A whole repaint to come covers the row; a row out of view needs none.
  if (m_hwnd == nullptr || m_paintPending) return;
  const ListLayout layout = Layout();
  if (row < layout.TopRow() || row >= layout.EndRow()) return;
  const RECT rect = layout.RowRect(row);
  InvalidateRect(m_hwnd, &rect, FALSE);
}

void ListWindow::SetFont(HFONT font, bool redraw) {
  m_font = font;
  if (m_editor != nullptr && m_editor->Hwnd() != nullptr) {
    SendMessageA(m_editor->Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), redraw);
  }
  if (m_hwnd == nullptr) return;
  Invalidate();
  if (redraw) UpdateWindow(m_hwnd);
}

void ListWindow::Paint(HDC dc, const RECT* area) {
  SyncScrollBar();
  PaintState state;
  state.font = Font();
  state.focused = m_hwnd != nullptr && GetFocus() == m_hwnd;
  const ListLayout layout = Layout();
  state.area = area != nullptr ? *area : RECT{0, 0, layout.Width(), layout.Height()};
  PaintList(dc, *m_model, layout, state);
}

void ListWindow::OnPaint() {
  // Setting the scroll bar can change the client width; do it before the painting begins.
  SyncScrollBar();
  PaintScope paint(m_hwnd);
  m_paintPending = false;
  RECT client{};
  GetClientRect(m_hwnd, &client);
  // Drawn off screen first, so rows never flicker.
  MemoryDc buffer(paint.Dc());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.Dc(), std::max<long>(1, client.right),
                                                   std::max<long>(1, client.bottom)));
  if (buffer.Get() == nullptr || bitmap.Get() == nullptr) {
    Paint(paint.Dc());
    return;
  }
  Selection selected(buffer.Get(), bitmap.Get());
  const RECT& area = paint.Area();
  Paint(buffer.Get(), &area);
  BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
         buffer.Get(), area.left, area.top, SRCCOPY);
}

void ListWindow::SyncScrollBar() {
  if (m_hwnd == nullptr) return;
  int count = m_model->Count();
  int page = VisibleRows();
  m_top = std::clamp(m_top, 0, std::max(0, count - page));
  if (count == m_barCount && page == m_barPage && m_top == m_barTop) return;
  m_barCount = count;
  m_barPage = page;
  m_barTop = m_top;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(0, count - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = m_top;
  SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
}

void ListWindow::ScrollTo(int top) {
  SyncScrollBar();
  top = std::clamp(top, 0, std::max(0, m_model->Count() - VisibleRows()));
  if (top == m_top) return;
  m_top = top;
  SyncScrollBar();
  PlaceEditor();
  Invalidate();
}

void ListWindow::ScrollIntoView(int row) {
  if (m_hwnd == nullptr || row < 0) return;
  int page = VisibleRows();
  if (row < m_top) {
    ScrollTo(row);
  } else if (row >= m_top + page) {
    ScrollTo(row - page + 1);
  }
}

void ListWindow::OnVScroll(int code) {
  SyncScrollBar();
  int page = VisibleRows();
  int top = m_top;
  switch (code) {
    case SB_LINEUP:
      top -= 1;
      break;
    case SB_LINEDOWN:
      top += 1;
      break;
    case SB_PAGEUP:
      top -= page;
      break;
    case SB_PAGEDOWN:
      top += page;
      break;
    case SB_TOP:
      top = 0;
      break;
    case SB_BOTTOM:
      top = m_model->Count();
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position: the message's own is only 16 bits.
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      if (!GetScrollInfo(m_hwnd, SB_VERT, &info)) return;
      top = info.nTrackPos;
      break;
    }
    default:
      return;
  }
  ScrollTo(top);
}

void ListWindow::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == 0) return;
  int perNotch = lines == WHEEL_PAGESCROLL ? VisibleRows() : static_cast<int>(lines);
  // Fine-grained wheels send less than a notch at a time: keep the rest for the next one.
  m_wheelRest += delta;
  int rows = m_wheelRest * perNotch / WHEEL_DELTA;
  if (rows == 0) return;
  m_wheelRest -= rows * WHEEL_DELTA / perNotch;
  ScrollTo(m_top - rows);
}

}  // namespace quarn::win32
