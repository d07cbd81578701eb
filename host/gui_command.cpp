#include "host/gui_command.h"

#include <windows.h>

#include "host/console_output.h"
#include "host/host_paths.h"
#include "host/host_window.h"

int RunGuiCommand(IHostServices* services, bool openTool) {
  CHostWindow window(services, PluginPath());
  if (!window.Create()) {
    WriteStderr("Lumaplex: the main window cannot be made\n");
    return 1;
  }
  if (openTool) window.OpenTool();
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) return 1;
    if (window.PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
