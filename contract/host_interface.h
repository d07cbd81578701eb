#pragma once
// The contract between the host application and its tools. The host and the tool are built
// separately against this header; what it fixes (the layout of CHostTool's members, the order
// of the virtual operations, the message numbers, the search request) must not change.

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "framework/fw_dialog.h"
#include "framework/fw_string.h"
#include "framework/fw_thread.h"
#include "contract/host_services.h"

// Host to tool window: open the settings dialog (sent or posted). wParam and lParam are
// handed to ShowSettings.
constexpr UINT WM_TOOL_SETTINGS = WM_USER + 100;  // 1124
// Tool to host window; wParam is the tool identifier, lParam 0.
constexpr UINT WM_TOOL_ACTIVATED = 1130;  // sent: the tool window became active
constexpr UINT WM_TOOL_READY = 1131;      // posted: the tool window is set up
constexpr UINT WM_TOOL_CLOSING = 1132;    // sent: the tool window closes, before it is destroyed
// Tool to a search's result window: wParam points at a CString holding one result line,
// valid only during the call; lParam 0.
constexpr UINT WM_TOOL_SEARCHRESULT = WM_USER + 111;  // 1135

static_assert(WM_TOOL_SETTINGS == 1124 && WM_TOOL_SEARCHRESULT == 1135, "fixed numbers");

// The host's search request, owned by the host and only read by the tool.
struct ToolSearchRequest {
  CWnd* pResultWnd;             // receives WM_TOOL_SEARCHRESULT; only its handle is used
  std::uint16_t nMode;          // 0 is the full-text search
  std::uint8_t reserved[6];     // not read
  volatile std::int32_t bStop;  // non-zero: end the search at the next check
};

// The host's abstract tool class. The host reads the members directly, so they stand in this
// order and, but for the history, are each 32 bits wide.
class CHostTool : public CDialog {
 public:
  CHostTool(UINT nIDTemplate, CWnd* pHostWnd);
  ~CHostTool() override;

  // Stores the tool's state; for this tool the window position and the current list. Returns
  // 0 when there was nothing to save, 1 otherwise.
  virtual int SaveState() = 0;
  // Answers a search request by sending result lines to its result window; returns 0.
  virtual int Search(const ToolSearchRequest* request, const char* text) = 0;
  // The name shown to the user.
  virtual const char* GetDisplayName() = 0;
  // Makes the tool's modeless window from template nTemplateId (low 16 bits) of the tool's
  // module, on the calling thread, with pParent as parent; true on success.
  virtual BOOL CreateFromTemplate(UINT nTemplateId, CWnd* pParent);
  // Prepares the tool and opens its window on a thread of its own.
  virtual void Initialize() = 0;
  // The dialog template of the tool window.
  virtual UINT GetTemplateId() = 0;
  // Shows the tool's settings; both arguments are ignored; returns 0.
  virtual LRESULT ShowSettings(WPARAM wParam, LPARAM lParam) = 0;

  IHostServices* m_pHost = nullptr;  // not owned
  CStringArray m_History;            // change history, oldest first
  CWnd* m_pHostWnd;                  // not owned; notices go to its window
  CWinThread* m_pThread = nullptr;   // the last tool thread started
  std::uint32_t m_dwReserved = 0;    // belongs to the host
  int m_nToolId = 0;
  CString m_strName;
  int m_nHostValue1 = 0;
  int m_nHostValue2 = 0;
  HBITMAP m_hBitmap256 = nullptr;  // owned
  HBITMAP m_hBitmap16 = nullptr;   // owned
  std::atomic<int> m_bBusy{0};     // 1 while the tool shows a modal box or dialog
};

static_assert(sizeof(std::atomic<int>) == 4 && std::atomic<int>::is_always_lock_free,
              "the busy flag is read by the host as a plain 32-bit word");

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif
#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(ToolSearchRequest, nMode) == 4, "search request layout");
static_assert(offsetof(ToolSearchRequest, bStop) == 12, "search request layout");
static_assert(sizeof(ToolSearchRequest) == 16, "search request layout");
static_assert(sizeof(CStringArray) == 16, "history layout");
// Where the host reads each member: right after the framework dialog, in this order.
constexpr std::size_t kHostToolBase = sizeof(CDialog);
static_assert(offsetof(CHostTool, m_pHost) == kHostToolBase + 0, "member layout");
static_assert(offsetof(CHostTool, m_History) == kHostToolBase + 4, "member layout");
static_assert(offsetof(CHostTool, m_pHostWnd) == kHostToolBase + 20, "member layout");
static_assert(offsetof(CHostTool, m_pThread) == kHostToolBase + 24, "member layout");
static_assert(offsetof(CHostTool, m_dwReserved) == kHostToolBase + 28, "member layout");
static_assert(offsetof(CHostTool, m_nToolId) == kHostToolBase + 32, "member layout");
static_assert(offsetof(CHostTool, m_strName) == kHostToolBase + 36, "member layout");
static_assert(offsetof(CHostTool, m_nHostValue1) == kHostToolBase + 40, "member layout");
static_assert(offsetof(CHostTool, m_nHostValue2) == kHostToolBase + 44, "member layout");
static_assert(offsetof(CHostTool, m_hBitmap256) == kHostToolBase + 48, "member layout");
static_assert(offsetof(CHostTool, m_hBitmap16) == kHostToolBase + 52, "member layout");
static_assert(offsetof(CHostTool, m_bBusy) == kHostToolBase + 56, "member layout");
static_assert(sizeof(CHostTool) == kHostToolBase + 60, "member layout");
#endif
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// The plug-in's one export: makes the tool object, or returns null when that fails. The host
// deletes the object through its virtual destructor, after the tool window is gone.
extern "C" CHostTool* NewLumaplexTool(CWnd* pHostWnd, IHostServices* pHost);
using NewLumaplexToolFn = CHostTool* (*)(CWnd*, IHostServices*);
