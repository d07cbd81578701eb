#include "support/fake_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "support/message_pump.h"

namespace todo_test {

void EventLog::Add(const std::string& event) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_events.push_back(event);
}

std::vector<std::string> EventLog::Events() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_events;
}

int EventLog::Count(const std::string& event) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return static_cast<int>(std::count(m_events.begin(), m_events.end(), event));
}

int EventLog::IndexOf(const std::string& event) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = std::find(m_events.begin(), m_events.end(), event);
  return it == m_events.end() ? -1 : static_cast<int>(it - m_events.begin());
}

FakeHostServices::FakeHostServices(EventLog& log, std::string dataFolder)
    : m_log(log), m_dataFolder(std::move(dataFolder)) {}

int FakeHostServices::ReadSetting(int toolId, const char* key, char* buffer) {
  const std::string value = Get(std::to_string(toolId) + "/" + key);
  std::snprintf(buffer, 260, "%s", value.c_str());
  return value.empty() ? 0 : 1;
}

int FakeHostServices::WriteSetting(int toolId, const char* key, const char* value) {
  Set(std::to_string(toolId) + "/" + key, value);
  m_log.Add(std::string("write ") + key);
  return 1;
}

const char* FakeHostServices::GetDataFolder(int, int) {
  return m_dataFolder.c_str();
}

void FakeHostServices::Set(const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_settings[key] = value;
}

std::string FakeHostServices::Get(const std::string& key) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_settings.find(key);
  return it == m_settings.end() ? std::string() : it->second;
}

FakeHostWindow::FakeHostWindow(EventLog& log) : m_log(log) {
  CreateEx(0, "Test host", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0);
}

LRESULT FakeHostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const char* name = nullptr;
  if (message == WM_TOOL_ACTIVATED) name = "activated";
  if (message == WM_TOOL_READY) name = "ready";
  if (message == WM_TOOL_CLOSING) name = "closing";
  if (!name) return CWnd::WindowProc(message, wParam, lParam);
  m_log.Add(std::string(name) + " " + std::to_string(wParam));
  if (message == WM_TOOL_READY && tool && tool->m_hWnd) ::ShowWindow(tool->m_hWnd, SW_SHOW);
  return 0;
}

FakeHost::FakeHost(const std::string& dataFolder)
    : m_dataFolder(dataFolder.empty() ? m_data.Path() : dataFolder),
      m_services(m_log, m_dataFolder),
      m_window(m_log),
      m_module(LoadLibraryA("ToDoList.dll")) {
  NewTool();
}

FakeHost::~FakeHost() {
  CloseTool();
  if (m_tool && m_tool->m_pThread && !PumpUntil([&] {
        return WaitForSingleObject(m_tool->m_pThread->m_hThread, 0) == WAIT_OBJECT_0;
      })) {
    return;  // the module's code may still run: leave it all loaded
  }
  DeleteTool();
  m_window.DestroyWindow();
  if (m_module) FreeLibrary(m_module);
}

bool FakeHost::NewTool() {
  auto factory = reinterpret_cast<NewLumaplexToolFn>(
      reinterpret_cast<void*>(GetProcAddress(m_module, "NewLumaplexTool")));
  m_tool = factory ? factory(&m_window, &m_services) : nullptr;
  m_window.tool = m_tool;
  return m_tool != nullptr;
}

bool FakeHost::Initialize(bool opens, DWORD timeoutMs) {
  const int readyBefore = m_log.Count("ready 18");
  m_tool->Initialize();
  return !opens ||
         PumpUntil(
             [&] {
               const HWND window = ToolWindow();
               return m_log.Count("ready 18") > readyBefore && window && IsWindowVisible(window);
             },
             timeoutMs, 1);
}

bool FakeHost::CloseTool() {
  if (!ToolWindow()) return true;
  ::PostMessageA(ToolWindow(), WM_CLOSE, 0, 0);
  return PumpUntil([&] { return ToolWindow() == nullptr; });
}

void FakeHost::DeleteTool() {
  m_window.tool = nullptr;
  delete m_tool;
  m_tool = nullptr;
}

namespace {

struct WindowSearch {
  DWORD process;
  const std::function<bool(HWND)>& wanted;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWanted(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && search->wanted(window)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD process, const std::function<bool(HWND)>& wanted) {
  WindowSearch search = {process, wanted, {}};
  EnumWindows(&CollectWanted, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool HasCaption(HWND window, const char* title) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof(text));
  return std::strcmp(text, title) == 0;
}

}  // namespace todo_test
