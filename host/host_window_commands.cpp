// What the main window's buttons do, and how it answers the tool's notices.

#include "framework/fw_string.h"
#include "host/host_window.h"

CHostTool* CHostWindow::ToolOrLog(const char* action) const {
  CHostTool* tool = m_module.tool();
  if (!tool) {
    CString line;
    line.Format("%s: no tool is loaded", action);
    Log(line);
  }
  return tool;
}

void CHostWindow::OpenTool() {
  CHostTool* tool = ToolOrLog("Open tool");
  if (!tool) return;
  tool->Initialize();
  Log("Open tool: Initialize called");
}

void CHostWindow::OnSave() {
  CHostTool* tool = ToolOrLog("Save");
  if (!tool) return;
  CString line;
  line.Format("Save: SaveState returned %d", tool->SaveState());
  Log(line);
}

void CHostWindow::OnSettings() {
  if (!ToolOrLog("Settings")) return;
  const HWND window = m_module.ToolWindow();
  if (!window) {
    Log("Settings: the tool window is not open");
    return;
  }
  CString line;
  line.Format("Settings: %u posted", WM_TOOL_SETTINGS);
  Log(::PostMessageA(window, WM_TOOL_SETTINGS, 0, 0) ? line.GetString()
                                                     : "Settings: the message was not posted");
}

void CHostWindow::OnInfo() {
  CHostTool* tool = ToolOrLog("Info");
  if (!tool) return;
  const char* displayName = tool->GetDisplayName();
  CString line;
  line.Format("Tool id: %d", tool->m_nToolId);
  Log(line);
  line.Format("Name: %s", tool->m_strName.GetString());
  Log(line);
  line.Format("Display name: %s", displayName ? displayName : "");
  Log(line);
  line.Format("Template id: %u", tool->GetTemplateId());
  Log(line);
  line.Format("Host values: %d, %d", tool->m_nHostValue1, tool->m_nHostValue2);
  Log(line);
  for (int i = 0; i < tool->m_History.GetSize(); ++i) {
    line.Format("History %d: %s", i + 1, tool->m_History[i].GetString());
    Log(line);
  }
  line.Format("Busy: %d", tool->m_bBusy.load());
  Log(line);
}

void CHostWindow::OnCloseTool() {
  if (!ToolOrLog("Close tool")) return;
  if (!m_module.ToolWindow()) {
    Log("Close tool: the tool window is not open");
    return;
  }
  Log(m_module.CloseToolWindow() ? "Close tool: the tool window is closed"
                                 : "Close tool: the tool window did not close in time");
}

void CHostWindow::LogNotice(UINT message, const char* what, WPARAM toolId) const {
  CString line;
  line.Format("%u %s (tool %d)", message, what, static_cast<int>(toolId));
  Log(line);
}

LRESULT CHostWindow::OnToolActivated(WPARAM wParam, LPARAM) {
  LogNotice(WM_TOOL_ACTIVATED, "activated", wParam);
  return 0;
}

LRESULT CHostWindow::OnToolReady(WPARAM wParam, LPARAM) {
  LogNotice(WM_TOOL_READY, "ready", wParam);
  // The tool's template starts hidden: the host shows the window once it is set up.
  if (const HWND window = m_module.ToolWindow()) ::ShowWindow(window, SW_SHOW);
  return 0;
}

LRESULT CHostWindow::OnToolClosing(WPARAM wParam, LPARAM) {
  LogNotice(WM_TOOL_CLOSING, "closing", wParam);
  return 0;
}

void CHostWindow::OnSearch() {
  CHostTool* tool = ToolOrLog("Search");
  if (!tool) return;
  if (!m_search) m_search = std::make_unique<CSearchWindow>(tool);
  Log(m_search->Open() ? "Search: the search window is open"
                       : "Search: the search window cannot be made");
}
