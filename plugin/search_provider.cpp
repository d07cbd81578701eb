// The host's full-text search, answered by the tool object on the host's calling thread: the
// list files come from the file-search library, the search itself is portable
// (storage/search.h), and each result goes to the host's result window as it is found.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dirscan/dirscan.h"
#include "plugin/todo_tool.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "storage/search/search.h"

namespace {

// Sends each result line to the result window as WM_TOOL_SEARCHRESULT, through one string
// object that is reused for every line, and reads the request's stop flag afresh each time.
class ResultWindowSink : public storage::SearchSink {
 public:
  ResultWindowSink(const ToolSearchRequest& request, HWND window)
      : m_request(request), m_window(window) {}

  bool StopRequested() override { return m_request.bStop != 0; }

  void Result(const char* line, std::size_t) override { Send(line); }

  // Sends one line, but only while the window is a window; the host takes what it needs of
  // the string during the call.
  void Send(const char* line) {
    if (!::IsWindow(m_window)) return;
    m_result = line;
    ::SendMessageA(m_window, WM_TOOL_SEARCHRESULT, reinterpret_cast<WPARAM>(&m_result), 0);
  }

 private:
  const ToolSearchRequest& m_request;
  const HWND m_window;
  CString m_result;
};

}  // namespace

int CToDoTool::Search(const ToolSearchRequest* request, const char* text) {
  if (!request) return 0;
  // The window handle is taken once: the host's window object is not read again while the
  // search runs, so the host may destroy the window meanwhile.
  const HWND window = request->pResultWnd ? request->pResultWnd->m_hWnd : nullptr;
  ResultWindowSink sink(*request, window);
  if (storage::RefuseUnsupportedSearchMode(request->nMode, sink)) return 0;
  const char* dataFolder = ToolDataFolder(m_pHost);
  if (!dataFolder) return 0;
  const std::string folder = storage::ListFolderSearchPath(dataFolder);

  CSerchFiles listing(folder.c_str(), 0);
  const CStringArray& names = *listing.gFc_GetListFiles();
  std::vector<std::string_view> entries;
  entries.reserve(static_cast<std::size_t>(names.GetSize()));
  for (int i = 0; i < names.GetSize(); ++i) entries.emplace_back(names[i].GetString());

  // Files of its own: the search runs on the host's thread, beside the tool thread.
  const std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  storage::SearchListFiles(*files, folder, entries, text ? text : "", sink);
  return 0;
}
