#include "chaos/other_host.h"

#include <cstring>

#include "support/tool_facts.h"
#include "chaos/chaos_host.h"
#include "plugin/tool_texts.h"
#include "support/tool_window.h"

namespace chaos {

using namespace todo_test::tool;

namespace {

constexpr DWORD kAnswerMs = 10000;

struct ToolSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindToolOfProcess(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ToolSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char title[64] = "";
  GetWindowTextA(window, title, sizeof(title));
  if (processId == search->processId && IsWindowVisible(window) &&
      std::strcmp(title, todo::kDisplayName) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &ignored);
}

}  // namespace

HANDLE OtherHost::Start(const std::string& dataFolder, DWORD* processId) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.find_last_of('\\') + 1) + "Lumaplex.exe";
  std::string command = "\"" + exe + "\" --data \"" + dataFolder + "\" --open";
  // On the desktop of this thread, where the walk's own windows are.
  char desktop[256] = "";
  DWORD needed = 0;
  GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop,
                            sizeof(desktop), &needed);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.lpDesktop = desktop;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return INVALID_HANDLE_VALUE;
  }
  CloseHandle(process.hThread);
  *processId = process.dwProcessId;
  return process.hProcess;
}

OtherHost::OtherHost(const std::string& dataFolder) : m_process(Start(dataFolder, &m_processId)) {
  if (!m_process.Ok()) return;
  ToolSearch search{m_processId, nullptr};
  WaitFor(
      [&] {
        EnumWindows(&FindToolOfProcess, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      30000);
  m_tool = search.found;
}

OtherHost::~OtherHost() {
  Kill();
}

void OtherHost::ClickListRow(int row) {
  HWND box = todo_test::tool_window::BoxAt(m_tool, todo_test::tool_window::kListBoxCorner);
  const LPARAM at = MAKELPARAM(60, row * kNameRowHeight + kNameRowHeight / 2);
  Send(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(box, WM_LBUTTONUP, 0, at);
}

void OtherHost::Press(int id) {
  Send(GetDlgItem(m_tool, id), BM_CLICK, 0, 0);
}

void OtherHost::Type(const std::string& text) {
  Send(GetDlgItem(m_tool, kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool OtherHost::Checked(int id) const {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(GetDlgItem(m_tool, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerMs, &state);
  return state == BST_CHECKED;
}

bool OtherHost::Kill() {
  if (!m_process.Ok()) return false;
  TerminateProcess(m_process.Get(), 9);
  const bool ended = WaitForSingleObject(m_process.Get(), kAnswerMs) == WAIT_OBJECT_0;
  m_process.Close();
  m_tool = nullptr;
  return ended;
}

}  // namespace chaos
