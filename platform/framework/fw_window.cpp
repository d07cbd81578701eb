#include "framework/fw_window.h"

#include <atomic>

#include "framework/fw_app.h"
#include "framework/fw_window_map.h"

namespace {

const char kWindowClass[] = "FwWindow";

std::atomic<bool> g_objectsMade{false};

// The objects of this module's framework by their windows. Made on first use, so a window
// made while other static objects are being initialised finds it ready; it lives until the
// module's static objects are destroyed, when no window of the module's may be left anyway
// (its window procedure is the module's code).
fw::WindowObjectMap<CWnd>& AttachedObjects() {
  static fw::WindowObjectMap<CWnd> objects;
  g_objectsMade.store(true, std::memory_order_relaxed);
  return objects;
}

// Called by the system in every thread that ends (a callback of the module's thread-local
// storage, in the EXE as in a DLL): the thread's windows go with it, unannounced.
void NTAPI ForgetWindowsOfEndingThread(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_DETACH && g_objectsMade.load(std::memory_order_relaxed)) {
    AttachedObjects().RemoveThread(GetCurrentThreadId());
  }
}

// The C runtime calls the callbacks placed between its .CRT$XLA and .CRT$XLZ markers.
extern "C" __attribute__((section(".CRT$XLF"), used))
const PIMAGE_TLS_CALLBACK fw_window_thread_callback = &ForgetWindowsOfEndingThread;

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd && GetWindowThreadProcessId(m_hWnd, nullptr) == GetCurrentThreadId()) {
    DestroyWindow();
  }
  // A window of another thread outlives its object: its messages must not find this one.
  if (m_hWnd) AttachedObjects().Remove(m_hWnd, this);
}

const MessageMap* CWnd::GetMessageMap() const {
  return GetThisMessageMap();
}

const MessageMap* CWnd::GetThisMessageMap() {
  static const MsgMapEntry entries[] = {{0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::PreTranslateMessage(MSG*) {
  return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_MENU) {
      LRESULT result = 0;
      CWnd* child = FromHandlePermanent(item->hwndItem);
      if (child && child->OnChildNotify(message, wParam, lParam, &result)) return result;
    }
  }
  if (const MsgMapEntry* entry = FindMessageEntry(GetMessageMap(), message, wParam)) {
    return entry->handler(this, wParam, lParam);
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
  return FALSE;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
  return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  return AttachedObjects().Find(hWnd);
}

void CWnd::Attach(HWND hWnd, WNDPROC original) {
  // A window being made is new: an entry of its handle can only be left from a window gone.
  AttachedObjects().Replace(hWnd, this);
  m_hWnd = hWnd;
  m_pfnSuper = original;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (m_hWnd || !IsWindow(hWnd)) return FALSE;
  // The window is ours from here on, or another object has it already.
  if (!AttachedObjects().Add(hWnd, this)) return FALSE;
  // Messages reach AttachedWndProc from the next one on, and find the object above.
  SetLastError(0);
  const LONG_PTR original =
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AttachedWndProc));
  if (original == 0 && GetLastError() != 0) {  // a window of another process, say
    AttachedObjects().Remove(hWnd, this);
    return FALSE;
  }
  m_hWnd = hWnd;
  m_pfnSuper = reinterpret_cast<WNDPROC>(original);
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* pParent) {
  return pParent && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  HWND hWnd = m_hWnd;
  if (!hWnd) return nullptr;
  if (m_pfnSuper) SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  AttachedObjects().Remove(hWnd, this);
  m_hWnd = nullptr;
  m_pfnSuper = nullptr;
  return hWnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* title, DWORD style, const RECT& rect, CWnd* pParent,
                    UINT id) {
  static const ATOM registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CreatingWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExA(&wc);
  }();
  if (!registered || m_hWnd) return FALSE;
  HMENU menuOrId =
      (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  HWND hWnd =
      CreateWindowExA(exStyle, kWindowClass, title, style, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top,
                      pParent ? pParent->m_hWnd : nullptr, menuOrId, AfxGetInstanceHandle(), this);
  return hWnd != nullptr;
}

LRESULT CALLBACK CWnd::CreatingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) {
      self->Attach(hWnd, &::DefWindowProcA);
      SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AttachedWndProc));
      return self->Dispatch(message, wParam, lParam);
    }
  }
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::AttachedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(hWnd);
  if (!self) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG saved = m_current;
  m_current.hwnd = m_hWnd;
  m_current.message = message;
  m_current.wParam = wParam;
  m_current.lParam = lParam;
  const LRESULT result = WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    UnsubclassWindow();
    PostNcDestroy();  // may delete this object: touch nothing after it
    return result;
  }
  m_current = saved;
  return result;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  HWND hWnd = m_hWnd;
  const BOOL destroyed = ::DestroyWindow(hWnd);
  // A window not attached through this framework leaves no WM_NCDESTROY trace on us.
  if (destroyed && m_hWnd == hWnd) m_hWnd = nullptr;
  return destroyed;
}
