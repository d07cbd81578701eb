#include "win32_access_support.h"

#include <algorithm>

#include "support/message_pump.h"

namespace quarn_win32_test {

namespace {

constexpr char kLogProperty[] = "QuarnTestWinEventLog";

std::wstring TextOrNone(HRESULT result, BSTR text) {
  fw::UniqueBstr owned(text);
  if (result != S_OK || owned.Get() == nullptr) return kNone;
  return std::wstring(owned.Get(), SysStringLen(owned.Get()));
}

LONG IntegerOrNone(HRESULT result, const VARIANT& value) {
  return result == S_OK && value.vt == VT_I4 ? value.lVal : -1;
}

}  // namespace

const wchar_t kNone[] = L"(none)";

AccessiblePtr AccessibleOf(HWND hwnd) {
  AccessiblePtr object;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        object.OutVoid()))) {
    object.Reset();
  }
  return object;
}

VARIANT Child(LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring NameOf(IAccessible* object, LONG id) {
  BSTR text = nullptr;
  HRESULT result = object->get_accName(Child(id), &text);
  return TextOrNone(result, text);
}

std::wstring DescriptionOf(IAccessible* object, LONG id) {
  BSTR text = nullptr;
  HRESULT result = object->get_accDescription(Child(id), &text);
  return TextOrNone(result, text);
}

std::wstring DefaultActionOf(IAccessible* object, LONG id) {
  BSTR text = nullptr;
  HRESULT result = object->get_accDefaultAction(Child(id), &text);
  return TextOrNone(result, text);
}

LONG RoleOf(IAccessible* object, LONG id) {
  fw::UniqueVariant role;
  HRESULT result = object->get_accRole(Child(id), role.Out());
  return IntegerOrNone(result, role.Get());
}

LONG StateOf(IAccessible* object, LONG id) {
  fw::UniqueVariant state;
  HRESULT result = object->get_accState(Child(id), state.Out());
  return IntegerOrNone(result, state.Get());
}

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
