// The tool window's place: stored in the host's settings when the state is saved, and
// restored, with the window's fixed size, when the window is made.

#include "dialog/window_position.h"
#include "plugin/todo_tool.h"
#include "plugin/tool_texts.h"

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;

}  // namespace

void CToDoTool::RestoreWindowPosition() {
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE);
  const todo::WindowPosition position =
      todo::ReadWindowPosition(m_pHost, m_nToolId, todo::kSettingWndPosX, todo::kSettingWndPosY);
  MoveWindow(position.left, position.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void CToDoTool::StoreWindowPosition() {
  if (!m_hWnd || !m_pHost) return;  // no window: nothing trustworthy to store
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(m_hWnd, &placement)) return;
  todo::WriteWindowPosition(m_pHost, m_nToolId, todo::kSettingWndPosX, todo::kSettingWndPosY,
                            {static_cast<int>(placement.rcNormalPosition.left),
                             static_cast<int>(placement.rcNormalPosition.top)});
}
