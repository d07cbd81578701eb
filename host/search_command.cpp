#include "host/search_command.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "framework/fw_handles.h"
#include "framework/fw_window.h"
#include "host/console_output.h"
#include "host/host_paths.h"
#include "host/tool_module.h"

namespace {

// The bytes of the file at path, unchanged; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string* bytes) {
  fw::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return false;
  bytes->clear();
  char chunk[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr)) return false;
    if (got == 0) return true;
    bytes->append(chunk, got);
  }
}

// The search's result window: a message-only window of this thread that prints every line it
// is sent, in blocks. The tool's Search runs on this thread too, so each line arrives as a
// direct call.
class CResultPrinter : public CWnd {
 public:
  explicit CResultPrinter(bool raw) : m_output(raw) {}

  // Makes the window; false when it cannot be made.
  bool Create() {
    const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    if (!window) return false;
    if (SubclassWindow(window)) return true;
    ::DestroyWindow(window);
    return false;
  }

  void Flush() { m_output.Flush(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TOOL_SEARCHRESULT) return CWnd::WindowProc(message, wParam, lParam);
    // The line ends at its first zero byte.
    const char* line = reinterpret_cast<const CString*>(wParam)->GetString();
    m_output.AddLine(line, std::strlen(line));
    return 0;
  }

 private:
  ConsoleLineWriter m_output;
};

}  // namespace

int RunSearchCommand(IHostServices* services, const HostCommandLine& line) {
  std::string text = line.searchText;
  if (!line.textFile.empty() && !ReadTextFile(line.textFile, &text)) {
    WriteStderr("Lumaplex: cannot read " + Cp932ToUtf8(line.textFile) + "\n");
    return 1;
  }
  ToolModule module;
  std::string error;
  if (!module.Load(PluginPath(), nullptr, services, &error)) {
    WriteStderr("Lumaplex: " + Cp932ToUtf8(error) + "\n");
    return 1;
  }
  CResultPrinter printer(line.raw);
  if (!printer.Create()) {
    WriteStderr("Lumaplex: the result window cannot be made\n");
    return 1;
  }
  ToolSearchRequest request = {};
  request.pResultWnd = &printer;
  request.nMode = line.searchMode;
  module.tool()->Search(&request, text.c_str());
  printer.Flush();
  module.Release();
  return 0;
}
