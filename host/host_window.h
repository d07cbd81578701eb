#pragma once
// The host's main window: buttons that drive the tool, a log of everything that happens
// (the tool's notices among it), and the tool's two images. It loads the tool when it is
// made and releases it, closing the tool window first, when it is closed.

#include <windows.h>

#include <memory>
#include <string>

#include "framework/fw_window.h"
#include "host/search_window.h"
#include "host/tool_module.h"
#include "contract/host_interface.h"

class CHostWindow : public CWnd {
 public:
  CHostWindow(IHostServices* services, std::string pluginPath);
  ~CHostWindow() override;

  // Makes and shows the window, then loads the tool; false when the window cannot be made.
  // A tool that cannot be loaded is only logged.
  BOOL Create();
  // The "Open tool" button: the tool opens its window on a thread of its own.
  void OpenTool();

 protected:
  void OnClose();
  void OnDestroy();
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnToolActivated(WPARAM wParam, LPARAM lParam);
  LRESULT OnToolReady(WPARAM wParam, LPARAM lParam);
  LRESULT OnToolClosing(WPARAM wParam, LPARAM lParam);
  void OnSave();
  void OnSettings();
  void OnInfo();
  void OnCloseTool();
  // The "Search" button: opens the search window for the loaded tool.
  void OnSearch();

 private:
  void CreateControls();
  void PlaceLog(int clientWidth, int clientHeight) const;
  void LoadTool();
  // Closes the tool window, deletes the tool and unloads it; the search window (with its
  // search) and the images go first.
  void ReleaseTool();
  void ShowToolImages(HBITMAP image256, HBITMAP image16) const;
  // The loaded tool, or null after logging that there is none.
  CHostTool* ToolOrLog(const char* action) const;
  void LogNotice(UINT message, const char* what, WPARAM toolId) const;
  // Adds a line to the log list and echoes it, in UTF-8, on standard output.
  void Log(const char* line) const;

  IHostServices* m_services;  // not owned
  std::string m_pluginPath;
  ToolModule m_module;
  std::unique_ptr<CSearchWindow> m_search;  // made when first opened; only with a tool
  HWND m_log = nullptr;
  HWND m_image256 = nullptr;
  HWND m_image16 = nullptr;

  DECLARE_MESSAGE_MAP()
};
