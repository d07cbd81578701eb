#pragma once
// A host for tests: it loads ToDoList.dll through its export, offers settings kept in memory
// and a data folder of its own, and owns a real host window that records the notices it
// receives. Everything it sees goes into one ordered event log, so tests can check the order
// of notices and setting writes.

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "framework/fw_window.h"
#include "contract/host_interface.h"
#include "support/scratch_folder.h"

namespace todo_test {

class EventLog {
 public:
  void Add(const std::string& event);
  std::vector<std::string> Events() const;
  int Count(const std::string& event) const;
  // Position of the first occurrence, or -1.
  int IndexOf(const std::string& event) const;

 private:
  mutable std::mutex m_mutex;
  std::vector<std::string> m_events;
};

class FakeHostServices final : public IHostServices {
 public:
  FakeHostServices(EventLog& log, std::string dataFolder);
  int ReadSetting(int toolId, const char* key, char* buffer) override;
  int WriteSetting(int toolId, const char* key, const char* value) override;
  const char* GetDataFolder(int kind, int reserved) override;

  void Set(const std::string& key, const std::string& value);
  std::string Get(const std::string& key) const;

 private:
  EventLog& m_log;
  const std::string m_dataFolder;
  mutable std::mutex m_mutex;
  std::map<std::string, std::string> m_settings;  // "toolId/key" -> value
};

// The host's main window: logs "activated", "ready" and "closing" with the tool id, and shows
// the tool window when it is ready, as the real host does.
class FakeHostWindow final : public CWnd {
 public:
  explicit FakeHostWindow(EventLog& log);
  CHostTool* tool = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  EventLog& m_log;
};

// Loads the plug-in and makes a tool object on a host window of the calling thread, with a
// data folder of its own or the one given.
class FakeHost {
 public:
  FakeHost() : FakeHost(std::string()) {}
  explicit FakeHost(const std::string& dataFolder);
  // Closes a window still open and deletes the tool, unless its thread never ended; then the
  // tool and the module are left as they are, since code of the module still runs.
  ~FakeHost();

  CHostTool* tool() const { return m_tool; }
  // The tool's window, read afresh each time, since the tool thread writes it.
  HWND ToolWindow() const {
    return m_tool ? *static_cast<const volatile HWND*>(&m_tool->m_hWnd) : nullptr;
  }
  HMODULE module() const { return m_module; }
  EventLog& log() { return m_log; }
  FakeHostServices& services() { return m_services; }
  FakeHostWindow& window() { return m_window; }
  const std::string& dataFolder() const { return m_dataFolder; }
  const ScratchFolder& data() const { return m_data; }

  // Makes a new tool object with the module's factory; false when there is none.
  bool NewTool();
  // Calls Initialize and, when `opens`, waits until the window is set up and shown; false on
  // time-out.
  bool Initialize(bool opens, DWORD timeoutMs = 20000);
  bool OpenTool() { return Initialize(true); }
  // Closes the tool window as its close box would; false when it does not go in time.
  bool CloseTool();
  // Deletes the tool object; its destructor closes an open window and waits for its thread.
  void DeleteTool();

 private:
  ScratchFolder m_data;  // goes last, once the module has let go of it
  const std::string m_dataFolder;
  EventLog m_log;
  FakeHostServices m_services;
  FakeHostWindow m_window;
  HMODULE m_module = nullptr;
  CHostTool* m_tool = nullptr;
};

// The top-level windows of the process with that id for which wanted is true, topmost first.
std::vector<HWND> TopWindowsOf(DWORD process, const std::function<bool(HWND)>& wanted);
// The top-level windows of this process's thread `thread`, topmost first.
inline std::vector<HWND> ThreadWindowsOf(DWORD thread) {
  return TopWindowsOf(GetCurrentProcessId(), [thread](HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == thread;
  });
}
// Whether the window's caption is exactly title.
bool HasCaption(HWND window, const char* title);

// Top-level windows of this process with the given caption.
inline int CountWindowsTitled(const char* title) {
  return static_cast<int>(
      TopWindowsOf(GetCurrentProcessId(), [title](HWND w) { return HasCaption(w, title); }).size());
}

}  // namespace todo_test
