// CToDoTool's life and threads: making the tool object, Initialize (the list folder, the
// window's fonts, the tool thread), the tool thread's message loop, and the wait
// for tool threads when the object goes. The other parts of the tool object:
// window_setup.cpp (the window when it is made), dialog_wiring.cpp (the dialog logic behind
// the window, the saves), window_placement.cpp (the window's place), search_provider.cpp
// (the host's search), host_tool.cpp (the host's base class).

#include "plugin/todo_tool.h"

#include "framework/fw_app.h"
#include "framework/fw_thread.h"
#include "plugin/tool_texts.h"
#include "resources/resource_ids.h"
#include "storage/list_store.h"

BEGIN_MESSAGE_MAP(CToDoTool, CHostTool)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_BN_CLICKED(IDC_MODE_LIST, OnListModeClicked)
ON_BN_CLICKED(IDC_MODE_ITEM, OnItemModeClicked)
ON_BN_CLICKED(IDC_NO_DATE, OnNoDateClicked)
ON_BN_CLICKED(IDC_ADD_TOP, OnAddClicked)
ON_BN_CLICKED(IDC_ADD_BOTTOM, OnAddAtBottomClicked)
ON_BN_CLICKED(IDC_UP, OnMoveUpClicked)
ON_BN_CLICKED(IDC_DOWN, OnMoveDownClicked)
ON_BN_CLICKED(IDC_DELETE, OnDeleteClicked)
ON_BN_CLICKED(IDC_CLEAR, OnClearClicked)
ON_EN_KILLFOCUS(IDC_TEXT, OnTextKillFocus)
ON_MESSAGE(WM_TOOL_SETTINGS, OnToolSettings)
ON_MESSAGE(kSaveStateMessage, OnSaveStateOnToolThread)
ON_MESSAGE(WM_TIMER, OnTimerMessage)
ON_MESSAGE(kFolderChangedMessage, OnFolderChanged)
END_MESSAGE_MAP()

CToDoTool::CToDoTool(CWnd* pHostWnd)
    : CHostTool(todo::kTemplateId, pHostWnd), m_files(storage::NewPlatformFiles()) {
  m_nToolId = todo::kToolId;
  m_strName = todo::kToolName;
  m_nHostValue1 = todo::kHostValue1;
  m_nHostValue2 = todo::kHostValue2;
  // The host shows these; they come from the module only when it has its expected name.
  if (HMODULE module = GetModuleHandleA(todo::kModuleFileName)) {
    m_hBitmap256 = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_TOOL_256));
    m_hBitmap16 = LoadBitmapA(module, MAKEINTRESOURCEA(IDB_TOOL_16));
  }
}

CToDoTool::~CToDoTool() {
  // The window belongs to the tool thread: have that thread close it (with the closing
  // notice and the saves), then wait until every tool thread has ended.
  if (m_hWnd) ::SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
  WaitForToolThreads();
}

const char* CToDoTool::GetDisplayName() {
  return todo::kDisplayName;
}

UINT CToDoTool::GetTemplateId() {
  return todo::kTemplateId;
}

void CToDoTool::Initialize() {
  if (const char* dataFolder = ToolDataFolder(m_pHost)) {
    storage::MakeListFolder(*m_files, dataFolder);
  }
  // A window that is open keeps using these: make them only when they are missing.
  if (!m_fontLarge.m_hObject) {
    m_fontLarge.CreateFont(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                           VARIABLE_PITCH | FF_DONTCARE, "");
  }
  if (!m_fontSmall.m_hObject) {
    m_fontSmall.CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEVICE_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                           VARIABLE_PITCH | FF_DONTCARE, "");
  }

  // Threads that have ended are forgotten; the new one is kept until it ends, so that the
  // destructor can wait for it and m_pThread never points at a deleted object.
  for (auto it = m_toolThreads.begin(); it != m_toolThreads.end();) {
    it = WaitForSingleObject((*it)->m_hThread, 0) == WAIT_OBJECT_0 ? m_toolThreads.erase(it)
                                                                   : it + 1;
  }
  CWinThread* thread =
      AfxBeginThread(&ToolThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  if (!thread) return;
  thread->m_bAutoDelete = FALSE;
  m_toolThreads.emplace_back(thread);
  m_pThread = thread;
  thread->ResumeThread();
}

void CToDoTool::WaitForToolThreads() {
  for (const auto& thread : m_toolThreads) {
    if (thread->m_nThreadID == GetCurrentThreadId()) continue;
    WaitForThreadServingSentMessages(thread->m_hThread);
  }
  m_toolThreads.clear();
  m_pThread = nullptr;
}

UINT __cdecl CToDoTool::ToolThreadProc(LPVOID pParam) {
  auto* tool = static_cast<CToDoTool*>(pParam);
  if (tool->m_hWnd) return static_cast<UINT>(-1);
  // Without a window there is nothing to wait for: end at once.
  if (!tool->CreateFromTemplate(tool->GetTemplateId(), nullptr)) return static_cast<UINT>(-1);
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (tool->PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (!tool->m_hWnd) break;
  }
  if (tool->m_hWnd) tool->DestroyWindow();
  return static_cast<UINT>(msg.wParam);
}

void CToDoTool::PostNcDestroy() {
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void CToDoTool::DoDataExchange(CDataExchange*) {}

LRESULT CToDoTool::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE)) {
    NotifyHost(WM_TOOL_ACTIVATED);
  }
  return CHostTool::DefWindowProc(message, wParam, lParam);
}

void CToDoTool::NotifyHost(UINT message) const {
  HWND host = m_pHostWnd ? m_pHostWnd->m_hWnd : nullptr;
  if (host) ::SendMessageA(host, message, static_cast<WPARAM>(m_nToolId), 0);
}

void CToDoTool::OnClose() {
  // A close while the close's own question is open: that question decides.
  if (m_closing) return;
  // Under an open box the window must stay: the box's caller goes on once it returns. The
  // boxes end with their No answer, and the close comes back after the last one.
  if (m_modalBoxes && m_modalBoxes->AnyOpen()) {
    m_modalBoxes->EndAllThenClose();
    return;
  }
  m_closing = true;
  StopSyncSignals();
  if (m_modalBoxes) m_modalBoxes->AllowBoxes();
  if (m_dialog) {
    // An edit the user has not ended is given up, like any box left open.
    m_dialog->GiveUpInPlaceEdits();
    // Saved while the window can still ask: a reader holding the file may make it wait.
    m_dialog->SaveBeforeClose();
    m_listSavedForClose = true;
  }
  if (m_modalBoxes) m_modalBoxes->RefuseNewBoxes();
  NotifyHost(WM_TOOL_CLOSING);
  Default();
  DestroyWindow();
}

LRESULT CToDoTool::OnToolSettings(WPARAM wParam, LPARAM lParam) {
  return ShowSettings(wParam, lParam);
}

LRESULT CToDoTool::ShowSettings(WPARAM wParam, LPARAM lParam) {
  // The dialog belongs to the tool window's thread, like every other box of the tool.
  if (m_hWnd && GetWindowThreadProcessId(m_hWnd, nullptr) != GetCurrentThreadId()) {
    ::PostMessageA(m_hWnd, WM_TOOL_SETTINGS, wParam, lParam);
    return 0;
  }
  // Asked again while the dialog is open: bring it forward instead of opening a second one.
  if (m_settingsDialog.m_hWnd) {
    SetForegroundWindow(m_settingsDialog.m_hWnd);
    return 0;
  }
  // Under a message box, or while the window closes, no dialog opens.
  if (m_modalBoxes && (m_modalBoxes->AnyOpen() || !m_modalBoxes->Enter())) return 0;
  if (m_hWnd) SetForegroundWindow(m_hWnd);
  m_bBusy = 1;
  m_settingsDialog.DoModal();
  m_bBusy = 0;
  if (m_modalBoxes) m_modalBoxes->Leave();
  return 0;
}
