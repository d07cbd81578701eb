// The tool window's part that turns the commands' keys into the commands: where the focus is,
// which modifier keys are held, and the command run as its button's click runs it.

#include "dialog/command_keys.h"
#include "plugin/todo_tool.h"
#include "resources/resource_ids.h"

static_assert(todo::kDeleteKey == VK_DELETE, "the Delete key's code");

namespace {

constexpr char kBoxClassName[] = "QuarnListCtrl";

bool IsBox(HWND window) {
  char className[sizeof(kBoxClassName) + 1] = "";
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpA(className, kBoxClassName) == 0;
}

bool Held(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

todo::FocusPlace CToDoTool::FocusPlaceOf(HWND focus) const {
  if (focus == nullptr) return todo::FocusPlace::Other;
  if (focus == ::GetDlgItem(m_hWnd, IDC_TEXT)) return todo::FocusPlace::TextBox;
  HWND parent = ::GetParent(focus);
  if (parent != nullptr && parent != m_hWnd && IsBox(parent)) {
    return todo::FocusPlace::InPlaceEditor;
  }
  if (parent == m_hWnd && IsBox(focus)) {
    RECT rect;
    ::GetWindowRect(focus, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect.left == m_listBoxRect.left && rect.top == m_listBoxRect.top
               ? todo::FocusPlace::ListNameBox
               : todo::FocusPlace::ItemBox;
  }
  // A child of an editor (the date editor's parts) counts as the editor.
  for (HWND window = parent; window != nullptr && window != m_hWnd; window = ::GetParent(window)) {
    if (IsBox(window)) return todo::FocusPlace::InPlaceEditor;
  }
  return todo::FocusPlace::Other;
}

bool CToDoTool::RunCommandKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (!m_dialog || m_closing) return false;
  todo::KeyPress press;
  press.key = static_cast<unsigned>(msg.wParam);
  press.alt = Held(VK_MENU);
  press.control = Held(VK_CONTROL);
  press.shift = Held(VK_SHIFT);
  const todo::FocusPlace focus = FocusPlaceOf(::GetFocus());
  const todo::Command command = todo::CommandOfKey(press, focus);
  if (command == todo::Command::None) return false;
  m_dialog->OnCommandKey(command, focus);
  return true;
}
