#include "host/host_window.h"

#include <algorithm>
#include <utility>

#include "framework/fw_app.h"
#include "framework/fw_string.h"
#include "host/child_windows.h"
#include "host/console_output.h"
#include "host/host_window_ids.h"

namespace {

constexpr int kWindowLeft = 785;
constexpr int kWindowTop = 40;
constexpr int kWindowWidth = 520;
constexpr int kWindowHeight = 440;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 6;
constexpr int kImageTop = 46;
constexpr int kImageSpacing = 42;
constexpr int kLogTop = 88;

struct ButtonPlace {
  int id;
  const char* text;
};

constexpr ButtonPlace kButtons[] = {
    {IDC_HOST_OPEN, "Open tool"}, {IDC_HOST_SAVE, "Save"},        {IDC_HOST_SETTINGS, "Settings"},
    {IDC_HOST_INFO, "Info"},      {IDC_HOST_CLOSE, "Close tool"}, {IDC_HOST_SEARCH, "Search"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CHostWindow, CWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_MESSAGE(WM_SIZE, OnSize)
ON_MESSAGE(WM_TOOL_ACTIVATED, OnToolActivated)
ON_MESSAGE(WM_TOOL_READY, OnToolReady)
ON_MESSAGE(WM_TOOL_CLOSING, OnToolClosing)
ON_COMMAND(IDC_HOST_OPEN, OpenTool)
ON_COMMAND(IDC_HOST_SAVE, OnSave)
ON_COMMAND(IDC_HOST_SETTINGS, OnSettings)
ON_COMMAND(IDC_HOST_INFO, OnInfo)
ON_COMMAND(IDC_HOST_CLOSE, OnCloseTool)
ON_COMMAND(IDC_HOST_SEARCH, OnSearch)
END_MESSAGE_MAP()

CHostWindow::CHostWindow(IHostServices* services, std::string pluginPath)
    : m_services(services), m_pluginPath(std::move(pluginPath)) {}

CHostWindow::~CHostWindow() {
  ReleaseTool();
}

BOOL CHostWindow::Create() {
  // Right of where the tool window first opens, so that both can be seen.
  const RECT rect = {kWindowLeft, kWindowTop, kWindowLeft + kWindowWidth,
                     kWindowTop + kWindowHeight};
  if (!CreateEx(0, "Lumaplex", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect, nullptr, 0)) {
    return FALSE;
  }
  CreateControls();
  ShowWindow(SW_SHOW);
  UpdateWindow(m_hWnd);
  LoadTool();
  return TRUE;
}

void CHostWindow::CreateControls() {
  int x = kMargin;
  for (const ButtonPlace& button : kButtons) {
    MakeChild(m_hWnd, 0, "BUTTON", button.text, WS_TABSTOP | BS_PUSHBUTTON, x, kMargin,
              kButtonWidth, kButtonHeight, button.id);
    x += kButtonWidth + kButtonGap;
  }
  // Bitmap statics take the size of their image.
  m_image256 =
      MakeChild(m_hWnd, 0, "STATIC", "", SS_BITMAP, kMargin, kImageTop, 32, 32, IDC_HOST_IMAGE256);
  m_image16 = MakeChild(m_hWnd, 0, "STATIC", "", SS_BITMAP, kMargin + kImageSpacing, kImageTop, 32,
                        32, IDC_HOST_IMAGE16);
  m_log = MakeChild(m_hWnd, WS_EX_CLIENTEDGE, "LISTBOX", "",
                    WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, kMargin, kLogTop, 0, 0,
                    IDC_HOST_LOG);
  RECT client = {};
  GetClientRect(m_hWnd, &client);
  PlaceLog(client.right, client.bottom);
}

void CHostWindow::PlaceLog(int clientWidth, int clientHeight) const {
  FillBelow(m_log, kLogTop, kMargin, clientWidth, clientHeight);
}

LRESULT CHostWindow::OnSize(WPARAM wParam, LPARAM lParam) {
  if (wParam != SIZE_MINIMIZED) PlaceLog(LOWORD(lParam), HIWORD(lParam));
  return Default();
}

void CHostWindow::LoadTool() {
  std::string error;
  if (!m_module.Load(m_pluginPath, this, m_services, &error)) {
    Log(("Cannot load the tool: " + error).c_str());
    return;
  }
  CHostTool* tool = m_module.tool();
  CString line;
  line.Format("Loaded tool %d (%s)", tool->m_nToolId, tool->m_strName.GetString());
  Log(line);
  ShowToolImages(tool->m_hBitmap256, tool->m_hBitmap16);
}

void CHostWindow::ReleaseTool() {
  m_search.reset();  // stops its search, which calls into the tool
  if (!m_module.tool()) return;
  ShowToolImages(nullptr, nullptr);  // the tool owns the bitmaps and deletes them
  if (!m_module.Release()) {
    Log("The tool window did not close in time: the tool is left loaded");
  }
}

void CHostWindow::ShowToolImages(HBITMAP image256, HBITMAP image16) const {
  if (m_image256) {
    ::SendMessageA(m_image256, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image256));
  }
  if (m_image16) {
    ::SendMessageA(m_image16, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image16));
  }
}

void CHostWindow::OnClose() {
  // The tool window goes first, while this window can still take its closing notice.
  ReleaseTool();
  DestroyWindow();
}

void CHostWindow::OnDestroy() {
  ReleaseTool();  // when destroyed without WM_CLOSE
  Default();
  m_log = m_image256 = m_image16 = nullptr;
  PostQuitMessage(0);
}

void CHostWindow::Log(const char* line) const {
  if (m_log) {
    const LRESULT index = ::SendMessageA(m_log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    if (index >= 0) ::SendMessageA(m_log, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  }
  WriteStdout(Cp932ToUtf8(line) + "\n");
}
