#include "support/host_process.h"

#include "plugin/tool_texts.h"
#include "quarnctrl/win32_access_support.h"
#include "support/message_pump.h"
#include "support/run_host.h"
#include "support/tool_window.h"

namespace todo_test {

namespace {

using namespace tool_window;

// Far longer than a start or a close takes, for a machine busy with other work.
constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kCloseLimitMs = 20000;

}  // namespace

HostProcess::HostProcess(const std::string& dataFolder, const std::string& desktop) {
  std::string commandLine = HostCommandLine("--data \"" + dataFolder + "\" --open");
  std::string desktopName = desktop;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  if (!desktopName.empty()) startup.lpDesktop = &desktopName[0];
  // A console program: no console window for it, and its log goes nowhere.
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &m_process)) {
    m_process = {};
  }
}

HostProcess::~HostProcess() {
  Kill();
  if (m_process.hProcess) CloseHandle(m_process.hProcess);
  if (m_process.hThread) CloseHandle(m_process.hThread);
}

bool HostProcess::WaitForTool() {
  if (!m_process.hProcess) return false;
  PumpUntil(
      [&] {
        m_tool = TopWindow(todo::kDisplayName);
        return m_tool != nullptr && IsWindowVisible(m_tool);
      },
      kStartLimitMs);
  if (m_tool == nullptr || !IsWindowVisible(m_tool)) return false;
  m_listBox = BoxAt(m_tool, kListBoxCorner);
  m_itemBox = BoxAt(m_tool, kItemBoxCorner);
  return m_listBox != nullptr && m_itemBox != nullptr;
}

void HostProcess::Type(const char* text) const {
  ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void HostProcess::SelectList(int row) const {
  Click(m_listBox, 10, RowMiddle(true, row));
}

void HostProcess::SelectItem(int row) const {
  Click(m_itemBox, 150, RowMiddle(false, row));
}

std::wstring HostProcess::ItemTexts() const {
  using namespace quarn_win32_test;
  const AccessiblePtr box = AccessibleOf(m_itemBox);
  if (!box) return L"(no object)";
  std::wstring texts;
  const LONG count = ChildCountOf(box.Get());
  for (LONG row = 1; row <= count; ++row) texts += NameOf(box.Get(), row) + L";";
  return texts;
}

HWND HostProcess::ToolMessageBox() const {
  return FirstWindow(
      [](HWND window) { return IsToolMessageBox(window) && IsWindowVisible(window); });
}

void HostProcess::Close() const {
  HWND host = TopWindow("Lumaplex");
  if (host != nullptr) ::PostMessageA(host, WM_CLOSE, 0, 0);
}

bool HostProcess::WaitForEnd() const {
  return m_process.hProcess &&
         WaitForSingleObject(m_process.hProcess, kCloseLimitMs) == WAIT_OBJECT_0;
}

bool HostProcess::Kill() {
  if (!m_process.hProcess) return false;
  TerminateProcess(m_process.hProcess, 1);
  return WaitForSingleObject(m_process.hProcess, kCloseLimitMs) == WAIT_OBJECT_0;
}

HWND HostProcess::TopWindow(const char* title) const {
  return FirstWindow([title](HWND window) { return HasCaption(window, title); });
}

HWND HostProcess::FirstWindow(const std::function<bool(HWND)>& wanted) const {
  const std::vector<HWND> found = TopWindowsOf(m_process.dwProcessId, wanted);
  return found.empty() ? nullptr : found.front();
}

}  // namespace todo_test
