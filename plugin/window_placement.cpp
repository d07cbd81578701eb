// The tool window's place: stored in the host's settings when the state is saved, and
// restored, with the window's fixed size, when the window is made.

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "plugin/todo_tool.h"
#include "plugin/tool_texts.h"

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;
constexpr int kSettingBufferSize = 260;

// Reads a stored coordinate: decimal with optional blanks and sign; anything else gives 0.
int ReadCoordinate(IHostServices* host, int toolId, const char* key) {
  char text[kSettingBufferSize] = "";
  host->ReadSetting(toolId, key, text);
  text[kSettingBufferSize - 1] = '\0';  // never read past the buffer, whatever the host left
  const long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void WriteCoordinate(IHostServices* host, int toolId, const char* key, long value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%ld", value);
  host->WriteSetting(toolId, key, text);
}

}  // namespace

void CToDoTool::RestoreWindowPosition() {
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int left = 0;
  int top = 0;
  if (m_pHost) {
    left = ReadCoordinate(m_pHost, m_nToolId, todo::kSettingWndPosX);
    top = ReadCoordinate(m_pHost, m_nToolId, todo::kSettingWndPosY);
  }
  MoveWindow(left, top, width, height, TRUE);
}

void CToDoTool::StoreWindowPosition() {
  if (!m_hWnd || !m_pHost) return;  // no window: nothing trustworthy to store
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(m_hWnd, &placement)) return;
  WriteCoordinate(m_pHost, m_nToolId, todo::kSettingWndPosX, placement.rcNormalPosition.left);
  WriteCoordinate(m_pHost, m_nToolId, todo::kSettingWndPosY, placement.rcNormalPosition.top);
}
