#include "win32_access_support.h"

#include <algorithm>

#include "support/message_pump.h"

namespace quarn_win32_test {

namespace {

constexpr char kLogProperty[] = "QuarnTestWinEventLog";

}  // namespace

LONG ChildCountOf(IAccessible* object) {
  LONG count = 0;
  return SUCCEEDED(object->get_accChildCount(&count)) ? count : -1;
}

LONG IdIn(const VARIANT& answer) {
  if (answer.vt == VT_EMPTY) return -1;
  if (answer.vt == VT_I4) return answer.lVal;
  return -2;
}

std::wstring Wide(const char* cp932) {
  int length = MultiByteToWideChar(932, 0, cp932, -1, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(std::max(length, 1)), L'\0');
  MultiByteToWideChar(932, 0, cp932, -1, &text[0], length);
  text.resize(static_cast<std::size_t>(std::max(length - 1, 0)));
  return text;
}

GroupBox::GroupBox(HWND parent, const wchar_t* caption, RECT rect)
    : m_hwnd(CreateWindowExW(0, L"Button", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, rect.left,
                             rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                             nullptr, GetModuleHandleW(nullptr), nullptr)) {}

WinEventLog::WinEventLog(HWND hwnd) : m_hwnd(hwnd) {
  SetPropA(m_hwnd, kLogProperty, this);
  m_hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                           &WinEventLog::Receive, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

WinEventLog::~WinEventLog() {
  if (m_hook != nullptr) UnhookWinEvent(m_hook);
  // Events already on their way find no log any more.
  todo_test::PumpFor(20);
  if (IsWindow(m_hwnd)) RemovePropA(m_hwnd, kLogProperty);
}

void CALLBACK WinEventLog::Receive(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child,
                                   DWORD, DWORD) {
  if (hwnd == nullptr || !IsWindow(hwnd)) return;
  auto* log = static_cast<WinEventLog*>(GetPropA(hwnd, kLogProperty));
  if (log != nullptr && log->m_hwnd == hwnd) log->m_events.push_back({event, object, child});
}

bool WinEventLog::WaitFor(const std::vector<WinEvent>& wanted, DWORD timeoutMs) {
  return todo_test::PumpUntil([&] { return InOrder(m_events, wanted); }, timeoutMs);
}

const std::vector<WinEvent>& WinEventLog::Settle(DWORD ms) {
  todo_test::PumpFor(ms);
  return m_events;
}

bool InOrder(const std::vector<WinEvent>& events, const std::vector<WinEvent>& wanted) {
  auto next = events.begin();
  for (const WinEvent& one : wanted) {
    next = std::find(next, events.end(), one);
    if (next == events.end()) return false;
    ++next;
  }
  return true;
}

}  // namespace quarn_win32_test
