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

namespace {

std::string MakeDataFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  char folder[MAX_PATH];
  std::snprintf(folder, sizeof(folder), "%stodo-test-%lu-%lu", temp, GetCurrentProcessId(),
                GetTickCount());
  CreateDirectoryA(folder, nullptr);
  return folder;
}

}  // namespace

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

FakeHost::FakeHost()
    : m_dataFolder(MakeDataFolder()), m_services(m_log, m_dataFolder), m_window(m_log) {
  m_module = LoadLibraryA("ToDoList.dll");
  auto factory = reinterpret_cast<NewLumaplexToolFn>(
      reinterpret_cast<void*>(GetProcAddress(m_module, "NewLumaplexTool")));
  if (factory) m_tool = factory(&m_window, &m_services);
  m_window.tool = m_tool;
}

FakeHost::~FakeHost() {
  if (m_tool && m_tool->m_hWnd) CloseTool();
  DeleteTool();
  m_window.DestroyWindow();
  if (m_module) FreeLibrary(m_module);
  RemoveTree(m_dataFolder);
}

bool FakeHost::OpenTool() {
  const int readyBefore = m_log.Count("ready 18");
  m_tool->Initialize();
  return PumpUntil([&] {
    return m_log.Count("ready 18") > readyBefore && m_tool->m_hWnd &&
           IsWindowVisible(m_tool->m_hWnd);
  });
}

bool FakeHost::CloseTool() {
  if (!m_tool->m_hWnd) return true;
  ::PostMessageA(m_tool->m_hWnd, WM_CLOSE, 0, 0);
  return PumpUntil([&] { return m_tool->m_hWnd == nullptr; });
}

void FakeHost::DeleteTool() {
  delete m_tool;
  m_tool = nullptr;
  m_window.tool = nullptr;
}

namespace {

struct TitleSearch {
  const char* title;
  int count;
};

BOOL CALLBACK CountIfTitled(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hWnd, &pid);
  char text[256] = "";
  GetWindowTextA(hWnd, text, sizeof(text));
  if (pid == GetCurrentProcessId() && std::strcmp(text, search->title) == 0) ++search->count;
  return TRUE;
}

}  // namespace

int CountWindowsTitled(const char* title) {
  TitleSearch search = {title, 0};
  EnumWindows(&CountIfTitled, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

}  // namespace todo_test
