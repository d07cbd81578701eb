#pragma once
// Reading a box as a screen reader does: its IAccessible got from the window, the texts and
// states of its children, and the win events it sends, caught by an out-of-context hook.

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "../../tools/accessible_reading.h"
#include "framework/fw_com.h"

namespace quarn_win32_test {

using AccessiblePtr = fw::ComPtr<IAccessible>;
using accessible::Child;

inline AccessiblePtr AccessibleOf(HWND hwnd) {
  return accessible::OfWindow(hwnd);
}

// What the object says of child `id`, with kNone for no text and -1 for no role or state.
// Texts come back as UTF-16 and are compared as such.
inline constexpr wchar_t kNone[] = L"(none)";
inline std::wstring NameOf(IAccessible* object, LONG id) {
  return accessible::Name(object, id).value_or(kNone);
}
inline std::wstring DescriptionOf(IAccessible* object, LONG id) {
  return accessible::Description(object, id).value_or(kNone);
}
inline std::wstring DefaultActionOf(IAccessible* object, LONG id) {
  return accessible::DefaultAction(object, id).value_or(kNone);
}
inline LONG RoleOf(IAccessible* object, LONG id) {
  return accessible::Role(object, id).value_or(-1);
}
inline LONG StateOf(IAccessible* object, LONG id) {
  return accessible::State(object, id).value_or(-1);
}
LONG ChildCountOf(IAccessible* object);  // -1 on failure
// The child id a VARIANT answer names: the id, 0 for the object itself, -1 for VT_EMPTY and
// -2 for anything else.
LONG IdIn(const VARIANT& answer);

// A code page 932 text as UTF-16, to compare with what the object says.
std::wstring Wide(const char* cp932);

// A group box (a "Button" of style BS_GROUPBOX) on `parent` at `rect`, destroyed at the end.
class GroupBox {
 public:
  GroupBox(HWND parent, const wchar_t* caption, RECT rect);
  ~GroupBox() { DestroyWindow(m_hwnd); }
  GroupBox(const GroupBox&) = delete;
  GroupBox& operator=(const GroupBox&) = delete;
  HWND Hwnd() const { return m_hwnd; }

 private:
  HWND m_hwnd;
};

// One win event as a hook receives it.
struct WinEvent {
  DWORD event;
  LONG object;
  LONG child;
  bool operator==(const WinEvent& other) const {
    return event == other.event && object == other.object && child == other.child;
  }
};

// The win events of one window, caught by an out-of-context hook in this process while the
// log exists. The hook finds the log through a property of the window.
class WinEventLog {
 public:
  explicit WinEventLog(HWND hwnd);
  ~WinEventLog();
  WinEventLog(const WinEventLog&) = delete;
  WinEventLog& operator=(const WinEventLog&) = delete;

  bool Hooked() const { return m_hook != nullptr; }
  // Handles messages until `wanted` has arrived (in order, among others) or the time is up.
  bool WaitFor(const std::vector<WinEvent>& wanted, DWORD timeoutMs = 5000);
  // Handles messages for a while, then gives what arrived.
  const std::vector<WinEvent>& Settle(DWORD ms = 300);
  const std::vector<WinEvent>& Events() const { return m_events; }
  void Forget() { m_events.clear(); }

 private:
  static void CALLBACK Receive(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object, LONG child,
                               DWORD thread, DWORD time);
  HWND m_hwnd;
  HWINEVENTHOOK m_hook = nullptr;
  std::vector<WinEvent> m_events;
};

// Whether `wanted` occurs in `events` in order, other events allowed between.
bool InOrder(const std::vector<WinEvent>& events, const std::vector<WinEvent>& wanted);

}  // namespace quarn_win32_test
