#include "host/tool_module.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr DWORD kPollMs = 20;

std::string WithErrorCode(const std::string& text, DWORD code) {
  return text + " (error " + std::to_string(code) + ")";
}

}  // namespace

bool ToolModule::Load(const std::string& path, CWnd* hostWnd, IHostServices* services,
                      std::string* error) {
  if (m_tool) {
    *error = "a tool is loaded already";
    return false;
  }
  ModuleHandle module(LoadLibraryA(path.c_str()));
  if (!module) {
    *error = WithErrorCode("cannot load " + path, GetLastError());
    return false;
  }
  const FARPROC proc = GetProcAddress(module.get(), kFactoryName);
  if (!proc) {
    *error = WithErrorCode(path + " has no export " + kFactoryName, GetLastError());
    return false;
  }
  // Through the generic function pointer type, which may be cast to any other.
  const auto factory = reinterpret_cast<NewLumaplexToolFn>(reinterpret_cast<void (*)()>(proc));
  CHostTool* tool = factory(hostWnd, services);
  if (!tool) {
    *error = std::string(kFactoryName) + " made no tool";
    return false;
  }
  m_module = std::move(module);
  m_tool = tool;
  return true;
}

HWND ToolModule::ToolWindow() const {
  if (!m_tool) return nullptr;
  // The tool thread writes the member; read it afresh every time.
  return *static_cast<const volatile HWND*>(&m_tool->m_hWnd);
}

bool ToolModule::CloseToolWindow(DWORD timeoutMs) const {
  const HWND window = ToolWindow();
  if (!window) return true;
  const DWORD start = GetTickCount();
  // While it waits, this thread still handles messages sent to it by the tool thread.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
  while (ToolWindow()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(kPollMs, timeoutMs - elapsed),
                              QS_SENDMESSAGE);
    // Only sent messages are handled here: no click or posted notice runs in between.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return true;
}

bool ToolModule::Release() {
  if (m_tool) {
    if (!CloseToolWindow()) {
      m_tool = nullptr;
      static_cast<void>(m_module.release());  // left loaded on purpose: its code still runs
      return false;
    }
    delete m_tool;
    m_tool = nullptr;
  }
  m_module.reset();
  return true;
}
