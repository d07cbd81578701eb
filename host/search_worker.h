#pragma once
// One search of the tool at a time, run on a thread of its own so that the window that asked
// for it stays responsive. The tool sends the result lines to the result window from that
// thread, so the window's thread receives them as sent messages while it runs its loop.

#include <windows.h>

#include <cstdint>
#include <string>

#include "contract/host_interface.h"

class SearchWorker {
 public:
  SearchWorker() = default;
  SearchWorker(const SearchWorker&) = delete;
  SearchWorker& operator=(const SearchWorker&) = delete;
  // Stops a search that still runs and waits for it (see StopAndWait).
  ~SearchWorker();

  // Starts tool->Search for text and mode with resultWindow as the result window; when the
  // search has returned, doneMessage is posted to resultWindow. False when a search runs
  // already or the thread cannot be made. The tool must outlive the search. Window thread.
  bool Start(CHostTool* tool, CWnd* resultWindow, std::string text, std::uint16_t mode,
             UINT doneMessage);

  // Sets the request's stop flag: the search ends before its next line or file. Any thread.
  void RequestStop() { m_request.bStop = 1; }

  // Sets the stop flag and waits until the search has returned, handling the messages sent to
  // this thread meanwhile (the result lines among them), so the search cannot wait on us.
  void StopAndWait();

  // Whether a search was started and has not been waited for.
  bool Started() const { return m_thread != nullptr; }

  // Closes a search that has returned (after its done message); true when there was one.
  bool Finish();

 private:
  static unsigned __stdcall Run(void* self);

  CHostTool* m_tool = nullptr;
  ToolSearchRequest m_request = {};
  std::string m_text;
  HWND m_doneWindow = nullptr;  // taken when the search starts
  UINT m_doneMessage = 0;
  HANDLE m_thread = nullptr;  // owned
};
