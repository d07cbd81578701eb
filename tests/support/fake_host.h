#pragma once
// A host for tests: it loads ToDoList.dll through its export, offers settings kept in memory
// and a data folder of its own, and owns a real host window that records the notices it
// receives. Everything it sees goes into one ordered event log, so tests can check the order
// of notices and setting writes.

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "framework/fw_window.h"
#include "contract/host_interface.h"

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

// Loads the plug-in and makes a tool object on a host window of the calling thread.
class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  CHostTool* tool() const { return m_tool; }
  HMODULE module() const { return m_module; }
  EventLog& log() { return m_log; }
  FakeHostServices& services() { return m_services; }
  FakeHostWindow& window() { return m_window; }
  const std::string& dataFolder() const { return m_dataFolder; }

  // Calls Initialize and waits until the window is set up and shown; false on time-out.
  bool OpenTool();
  // Closes the tool window as its close box would; false when it does not go in time.
  bool CloseTool();
  // Deletes the tool object (the host does so only after the window is gone).
  void DeleteTool();

 private:
  EventLog m_log;
  std::string m_dataFolder;
  FakeHostServices m_services;
  FakeHostWindow m_window;
  HMODULE m_module = nullptr;
  CHostTool* m_tool = nullptr;
};

// Top-level windows of this process with the given caption.
int CountWindowsTitled(const char* title);

// Deletes folder with everything in it, as far as it can.
void RemoveTree(const std::string& folder);

}  // namespace todo_test
