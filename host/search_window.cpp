#include "host/search_window.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "framework/fw_app.h"
#include "framework/fw_string.h"
#include "host/child_windows.h"
#include "host/host_window_ids.h"

namespace {

// Posted by the search thread when the tool's Search has returned.
constexpr UINT kSearchDoneMessage = WM_APP + 20;

constexpr int kWindowLeft = 785;
constexpr int kWindowTop = 500;
constexpr int kWindowWidth = 520;
constexpr int kWindowHeight = 380;
constexpr int kMargin = 10;
constexpr int kRowHeight = 24;
constexpr int kLabelWidth = 40;
constexpr int kTextWidth = 210;
constexpr int kModeWidth = 40;
constexpr int kButtonWidth = 70;
constexpr int kGap = 6;
constexpr int kStatusTop = kMargin + kRowHeight + kGap;
constexpr int kListTop = kStatusTop + 20 + kGap;

// The text of a control, of any length.
std::string ControlText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

// The mode box as a search mode: its number, held to 0 to 65535.
std::uint16_t ModeOf(const std::string& text) {
  const unsigned long mode = std::strtoul(text.c_str(), nullptr, 10);
  return static_cast<std::uint16_t>(std::min<unsigned long>(mode, 0xFFFF));
}

}  // namespace

BEGIN_MESSAGE_MAP(CSearchWindow, CWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_SIZE, OnSize)
ON_MESSAGE(WM_TOOL_SEARCHRESULT, OnSearchResult)
ON_MESSAGE(kSearchDoneMessage, OnSearchDone)
ON_COMMAND(IDC_SEARCH_START, OnSearch)
ON_COMMAND(IDC_SEARCH_STOP, OnStop)
END_MESSAGE_MAP()

CSearchWindow::CSearchWindow(CHostTool* tool) : m_tool(tool) {}

CSearchWindow::~CSearchWindow() {
  // The search may still send to this window: it ends before the window goes.
  m_worker.StopAndWait();
}

BOOL CSearchWindow::Open() {
  if (m_hWnd) {
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
  }
  const RECT rect = {kWindowLeft, kWindowTop, kWindowLeft + kWindowWidth,
                     kWindowTop + kWindowHeight};
  if (!CreateEx(0, "Search", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, nullptr, 0)) {
    return FALSE;
  }
  CreateControls();
  ShowWindow(SW_SHOW);
  UpdateWindow(m_hWnd);
  return TRUE;
}

void CSearchWindow::CreateControls() {
  int x = kMargin;
  MakeChild(m_hWnd, 0, "STATIC", "Text:", SS_LEFT, x, kMargin + 4, kLabelWidth, 18, -1);
  x += kLabelWidth;
  MakeChild(m_hWnd, WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, x, kMargin,
            kTextWidth, kRowHeight - 2, IDC_SEARCH_TEXT);
  x += kTextWidth + kGap;
  MakeChild(m_hWnd, 0, "STATIC", "Mode:", SS_LEFT, x, kMargin + 4, kLabelWidth, 18, -1);
  x += kLabelWidth;
  MakeChild(m_hWnd, WS_EX_CLIENTEDGE, "EDIT", "0", WS_TABSTOP | ES_NUMBER, x, kMargin, kModeWidth,
            kRowHeight - 2, IDC_SEARCH_MODE);
  x += kModeWidth + kGap;
  MakeChild(m_hWnd, 0, "BUTTON", "Search", WS_TABSTOP | BS_DEFPUSHBUTTON, x, kMargin - 1,
            kButtonWidth, kRowHeight, IDC_SEARCH_START);
  x += kButtonWidth + kGap;
  MakeChild(m_hWnd, 0, "BUTTON", "Stop", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, x, kMargin - 1,
            kButtonWidth, kRowHeight, IDC_SEARCH_STOP);
  MakeChild(m_hWnd, 0, "STATIC", "", SS_LEFT, kMargin, kStatusTop, kWindowWidth, 18,
            IDC_SEARCH_STATUS);
  m_list = MakeChild(m_hWnd, WS_EX_CLIENTEDGE, "LISTBOX", "",
                     WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, kMargin, kListTop,
                     0, 0, IDC_SEARCH_RESULTS);
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  PlaceList(client.right, client.bottom);
}

void CSearchWindow::PlaceList(int clientWidth, int clientHeight) const {
  FillBelow(m_list, kListTop, kMargin, clientWidth, clientHeight);
}

LRESULT CSearchWindow::OnSize(WPARAM wParam, LPARAM lParam) {
  if (wParam != SIZE_MINIMIZED) PlaceList(LOWORD(lParam), HIWORD(lParam));
  return Default();
}

void CSearchWindow::ShowState(const char* status) const {
  const bool searching = m_worker.Started();
  ::EnableWindow(GetDlgItem(IDC_SEARCH_START), !searching);
  ::EnableWindow(GetDlgItem(IDC_SEARCH_STOP), searching);
  ::SetWindowTextA(GetDlgItem(IDC_SEARCH_STATUS), status);
}

void CSearchWindow::OnSearch() {
  if (m_worker.Started() || !m_tool) return;
  ::SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
  m_results = 0;
  m_stopAsked = false;
  const std::string text = ControlText(GetDlgItem(IDC_SEARCH_TEXT));
  const std::uint16_t mode = ModeOf(ControlText(GetDlgItem(IDC_SEARCH_MODE)));
  if (!m_worker.Start(m_tool, this, text, mode, kSearchDoneMessage)) {
    ShowState("The search could not be started");
    return;
  }
  ShowState("Searching...");
}

void CSearchWindow::OnStop() {
  if (!m_worker.Started()) return;
  m_stopAsked = true;
  m_worker.RequestStop();
  ShowState("Stopping...");
}

LRESULT CSearchWindow::OnSearchResult(WPARAM wParam, LPARAM) {
  const auto* line = reinterpret_cast<const CString*>(wParam);
  if (!line || !m_list) return 0;
  ::SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line->GetString()));
  ++m_results;
  return 0;
}

LRESULT CSearchWindow::OnSearchDone(WPARAM, LPARAM) {
  if (!m_worker.Finish()) return 0;
  CString status;
  status.Format(m_stopAsked ? "Stopped: %d results" : "%d results", m_results);
  ShowState(status);
  return 0;
}

void CSearchWindow::OnClose() {
  m_worker.StopAndWait();
  DestroyWindow();
}

void CSearchWindow::OnDestroy() {
  m_worker.StopAndWait();  // when destroyed without WM_CLOSE
  Default();
  m_list = nullptr;
}
