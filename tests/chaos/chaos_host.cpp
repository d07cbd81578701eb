#include "chaos/chaos_host.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "framework/fw_com.h"
#include "quarnctrl/win32_access_support.h"
#include "support/list_rules.h"
#include "support/tool_window.h"

namespace chaos {

bool ThreadEnds(HANDLE thread, DWORD timeoutMs) {
  return WaitFor([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

namespace {

// Marks the markers apart from every other use of WM_NULL.
constexpr WPARAM kMarkerTag = 0x43484153;
std::atomic<LPARAM> g_markerTaken{0};
std::atomic<LPARAM> g_markerPosted{0};

LRESULT CALLBACK SeeMarkers(int code, WPARAM removal, LPARAM param) {
  if (code == HC_ACTION && removal == PM_REMOVE) {
    const MSG* msg = reinterpret_cast<const MSG*>(param);
    if (msg->message == WM_NULL && msg->wParam == kMarkerTag) g_markerTaken = msg->lParam;
  }
  return CallNextHookEx(nullptr, code, removal, param);
}

}  // namespace

bool ToolThreadBarrier::Attach(DWORD threadId) {
  Detach();
  m_hook = SetWindowsHookExA(WH_GETMESSAGE, &SeeMarkers, nullptr, threadId);
  return m_hook != nullptr;
}

void ToolThreadBarrier::Detach() {
  if (m_hook) UnhookWindowsHookEx(m_hook);
  m_hook = nullptr;
}

bool ToolThreadBarrier::PassOnce(HWND window, DWORD timeoutMs) {
  const LPARAM marker = ++g_markerPosted;
  if (!PostMessageA(window, WM_NULL, kMarkerTag, marker)) return false;
  return WaitFor([&] { return g_markerTaken.load() >= marker || !IsWindow(window); }, timeoutMs) &&
         IsWindow(window);
}

bool ToolThreadBarrier::Pass(HWND window, DWORD timeoutMs) {
  return m_hook && window && PassOnce(window, timeoutMs) && PassOnce(window, timeoutMs);
}

ModalWindows ModalWindowsOf(DWORD threadId) {
  using namespace todo_test::tool_window;
  ModalWindows found;
  for (HWND window : todo_test::ThreadWindowsOf(threadId)) {
    if (IsToolMessageBox(window)) {
      found.messageBoxes.push_back(window);
      found.texts.push_back(MessageBoxText(window));
    } else if (ClassOf(window) == "#32770" && todo_test::HasCaption(window, kSettingsCaption)) {
      found.settings.push_back(window);
    }
  }
  return found;
}

HWND EditorOf(HWND box) {
  if (!box) return nullptr;
  HWND editor = FindWindowExA(box, nullptr, "Edit", nullptr);
  return editor ? editor : FindWindowExA(box, nullptr, DATETIMEPICK_CLASSA, nullptr);
}

namespace {

std::string FromWide(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &out[0], bytes, nullptr, nullptr);
  return out;
}

}  // namespace

bool ReadRows(HWND box, std::vector<std::string>* rows) {
  using namespace quarn_win32_test;
  rows->clear();
  const AccessiblePtr object = AccessibleOf(box);
  const LONG count = object ? ChildCountOf(object.Get()) : -1;
  for (LONG id = 1; id <= count; ++id) {
    const LONG state = StateOf(object.Get(), id);
    if (state < 0) return false;
    const std::wstring name = NameOf(object.Get(), id);
    rows->push_back(FromWide(name == kNone ? std::wstring() : name) +
                    (state & STATE_SYSTEM_CHECKED ? " [checked]" : "") +
                    (state & STATE_SYSTEM_SELECTED ? " [selected]" : ""));
  }
  return count >= 0;
}

std::string Utf8(const std::string& cp932) {
  return FromWide(quarn_win32_test::Wide(cp932.c_str()));
}

std::string Shown(const std::string& bytes) {
  std::string escaped;
  bool trail = false;
  for (unsigned char c : bytes) {
    const bool isTrail = trail;
    trail = !trail && todo_test::rules::StartsDoubleByte(c);
    char hex[8];
    std::snprintf(hex, sizeof(hex), "\\x%02X", c);
    escaped += isTrail                 ? std::string(1, static_cast<char>(c))
               : c == '\r'             ? "\\r"
               : c == '\n'             ? "\\n"
               : c < 0x20 || c == 0x80 ? hex
                                       : std::string(1, static_cast<char>(c));
  }
  return Utf8(escaped);
}

namespace {

// The result window of a search: keeps each line the tool sends while the call lasts.
class ResultWindow final : public CWnd {
 public:
  explicit ResultWindow(std::vector<std::string>* lines) : m_lines(lines) {
    CreateEx(0, "Search results", WS_OVERLAPPED, RECT{0, 0, 100, 100}, nullptr, 0);
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TOOL_SEARCHRESULT) return CWnd::WindowProc(message, wParam, lParam);
    m_lines->push_back(reinterpret_cast<const CString*>(wParam)->GetString());
    return 0;
  }

 private:
  std::vector<std::string>* m_lines;
};

}  // namespace

std::vector<std::string> SearchOnOwnThread(CHostTool* tool, const std::string& text) {
  std::vector<std::string> lines;
  std::atomic<bool> done{false};
  std::thread searching([&] {
    ResultWindow window(&lines);
    ToolSearchRequest request = {};
    request.pResultWnd = &window;
    request.nMode = 0;
    request.bStop = 0;
    tool->Search(&request, text.c_str());
    window.DestroyWindow();
    done = true;
  });
  // The search may send to windows of this thread; keep handling messages until it ends.
  WaitFor([&] { return done.load(); }, 60000);
  searching.join();
  return lines;
}

}  // namespace chaos
