#pragma once
// The host's search window: a search text, a search mode, Search and Stop buttons, a status
// line and the result list, which fills line by line as the tool sends its results. The
// search runs on a thread of its own (SearchWorker), so the window stays responsive and Stop
// only sets the request's stop flag.

#include <windows.h>

#include "framework/fw_window.h"
#include "host/search_worker.h"
#include "contract/host_interface.h"

class CSearchWindow : public CWnd {
 public:
  // tool must outlive this object; the object stops and waits for its search before it goes.
  explicit CSearchWindow(CHostTool* tool);
  ~CSearchWindow() override;

  // Makes and shows the window, or brings it to the front when it exists; false when it
  // cannot be made.
  BOOL Open();

  // Starts a search for what the text and mode boxes hold (the Search button).
  void OnSearch();
  // Asks the running search to stop (the Stop button).
  void OnStop();

  // The number of result lines received by the last search.
  int ResultCount() const { return m_results; }
  // Whether a search runs.
  bool Searching() const { return m_worker.Started(); }

 protected:
  void OnClose();
  void OnDestroy();
  LRESULT OnSize(WPARAM wParam, LPARAM lParam);
  LRESULT OnSearchResult(WPARAM wParam, LPARAM lParam);
  LRESULT OnSearchDone(WPARAM wParam, LPARAM lParam);

 private:
  void CreateControls();
  void PlaceList(int clientWidth, int clientHeight) const;
  // Enables the buttons for a running search or for none, and shows status.
  void ShowState(const char* status) const;

  CHostTool* m_tool;  // not owned
  SearchWorker m_worker;
  int m_results = 0;
  bool m_stopAsked = false;
  HWND m_list = nullptr;

  DECLARE_MESSAGE_MAP()
};
