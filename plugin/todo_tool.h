#pragma once
// CToDoTool: the tool object. The host makes it through NewLumaplexTool and calls the
// operations of CHostTool on its own thread; the tool window lives on the tool thread that
// Initialize starts, and every window message is handled there.

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/fw_controls.h"
#include "framework/fw_gdi.h"
#include "dialog/todo_dialog.h"
#include "contract/host_interface.h"
#include "plugin/modal_boxes.h"
#include "plugin/settings_dialog.h"
#include "plugin/win32_window_ops.h"
#include "plugin/window_sync_signals.h"
#include "storage/files.h"

// Sent by SaveState to the tool window when the host calls it from another thread; the window's
// thread does the work and answers SaveState's result.
constexpr UINT kSaveStateMessage = WM_APP + 1;

class CToDoTool : public CHostTool {
 public:
  explicit CToDoTool(CWnd* pHostWnd);
  // Closes a window that is still open and waits for every tool thread before the members go.
  ~CToDoTool() override;

  int SaveState() override;
  int Search(const ToolSearchRequest* request, const char* text) override;
  const char* GetDisplayName() override;
  void Initialize() override;
  UINT GetTemplateId() override;
  LRESULT ShowSettings(WPARAM wParam, LPARAM lParam) override;

  // The tool thread: makes the window and runs its message loop until the window is gone.
  // Returns -1 at once when the tool already has a window.
  static UINT __cdecl ToolThreadProc(LPVOID pParam);

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Tells the host window when the tool window becomes active, then does the default.
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  // Wakes the tool thread's loop, which ends once the window is gone, also when the window was
  // destroyed by a sent message that the loop never dispatched.
  void PostNcDestroy() override;

 protected:
  void OnClose();
  void OnDestroy();
  void OnPaint();
  void OnListModeClicked();
  void OnItemModeClicked();
  void OnNoDateClicked();
  void OnAddClicked();
  void OnAddAtBottomClicked();
  void OnMoveUpClicked();
  void OnMoveDownClicked();
  void OnDeleteClicked();
  void OnClearClicked();
  void OnTextKillFocus();
  LRESULT OnToolSettings(WPARAM wParam, LPARAM lParam);
  // The host's SaveState, handed over to the window's thread.
  LRESULT OnSaveStateOnToolThread(WPARAM wParam, LPARAM lParam);
  // The dialog's timer ran out, and files in the list folder changed.
  LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnFolderChanged(WPARAM wParam, LPARAM lParam);

 private:
  // Runs the command whose key `msg` presses (command_keys_wiring.cpp); false when it presses
  // none, and the message goes on as before.
  bool RunCommandKey(const MSG& msg);
  // Where the keyboard focus `focus` is, as the commands' keys see it.
  todo::FocusPlace FocusPlaceOf(HWND focus) const;
  // Sends a notice to the host window and waits until it is handled.
  void NotifyHost(UINT message) const;
  void RestoreWindowPosition();
  void StoreWindowPosition();
  void PlaceControls();
  void SetUpButtons();
  // Set-up: makes and configures the two list boxes, loads the list bitmap and the list
  // names.
  void SetUpListBoxes();
  // The window's part of SaveState; runs on the tool thread.
  int SaveStateNow();
  // Stops the dialog's timer and folder watch: the window is closing.
  void StopSyncSignals();
  void ReleaseWindowResources();
  // Waits for the tool threads that Initialize started, handling messages sent to this
  // thread meanwhile so that a thread waiting on our window cannot deadlock.
  void WaitForToolThreads();

  HICON m_icon = nullptr;
  CToDoSettingsDlg m_settingsDialog;
  CFont m_fontLarge;           // 15 pixels
  CFont m_fontSmall;           // 14 pixels
  CBitmapButton m_buttons[6];  // add at top, add at bottom, up, down, delete, clear
  std::unique_ptr<CBitmap> m_modeListBitmap;
  std::unique_ptr<CBitmap> m_modeItemBitmap;
  CToolTipCtrl m_toolTip;
  CBitmap m_listBitmap;  // shown in every row of the list-name box
  std::unique_ptr<storage::Files> m_files;
  // While the window exists: its controls as the dialog logic sees them, and that logic.
  std::unique_ptr<ModalBoxes> m_modalBoxes;
  std::unique_ptr<Win32WindowOps> m_windowOps;
  std::unique_ptr<WindowSyncSignals> m_syncSignals;
  std::unique_ptr<todo::ToDoDialog> m_dialog;
  // From the start of a close until the window is gone.
  bool m_closing = false;
  // The close has saved the current list, or the user chose to close without: the destroy
  // handling does not save it again.
  bool m_listSavedForClose = false;
  RECT m_listBoxRect = {};
  RECT m_itemBoxRect = {};
  RECT m_itemCountRect = {};
  // Tool threads started by Initialize; each object lives until its thread has ended.
  std::vector<std::unique_ptr<CWinThread>> m_toolThreads;

  DECLARE_MESSAGE_MAP()
};
