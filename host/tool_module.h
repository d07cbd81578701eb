#pragma once
// The plug-in as the host holds it: the loaded module and the one tool object it made.
// The tool is deleted only once its window is gone, and the module is freed only after that.

#include <windows.h>

#include <string>

#include "host/module_handle.h"
#include "contract/host_interface.h"

constexpr char kPluginFileName[] = "ToDoList.dll";
constexpr char kFactoryName[] = "NewLumaplexTool";

class ToolModule {
 public:
  // How long closing the tool window may take; the emulated runs are slow.
  static constexpr DWORD kCloseTimeoutMs = 15000;

  ToolModule() = default;
  ToolModule(const ToolModule&) = delete;
  ToolModule& operator=(const ToolModule&) = delete;
  ~ToolModule() { Release(); }

  // Loads the plug-in at path and makes its tool for hostWnd (may be null) and services.
  // On failure returns false and sets *error.
  bool Load(const std::string& path, CWnd* hostWnd, IHostServices* services, std::string* error);

  CHostTool* tool() const { return m_tool; }

  // The tool window as the tool thread last set it, or null.
  HWND ToolWindow() const;

  // Sends WM_CLOSE to the tool window, then waits until the tool has forgotten the window,
  // handling the messages sent to this thread meanwhile (the closing notice among them).
  // True when there is no window any more.
  bool CloseToolWindow(DWORD timeoutMs = kCloseTimeoutMs) const;

  // Closes the tool window, deletes the tool and frees the module. When the window does not
  // go away in time both are left alone, since deleting a tool or unloading its code while
  // its window still runs would crash; then returns false.
  bool Release();

 private:
  ModuleHandle m_module;
  CHostTool* m_tool = nullptr;
};
