// Lumaplex.exe: a small host that loads the ToDoList tool, shows it in a window, or prints
// its identity or its search results on the console.

#include <string>
#include <vector>

#include "framework/fw_app.h"
#include "host/command_line.h"
#include "host/console_output.h"
#include "host/gui_command.h"
#include "host/host_paths.h"
#include "host/host_services.h"
#include "host/info_command.h"
#include "host/search_command.h"

namespace {

class CLumaplexApp : public CWinApp {
 public:
  CLumaplexApp() : CWinApp("Lumaplex") {}
};

// The module's application object.
CLumaplexApp theApp;

constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const HostCommandLine line = ParseHostCommandLine(args);
  if (line.command == HostCommand::kHelp) {
    WriteStdout(HostUsageText());
    return 0;
  }
  if (line.command == HostCommand::kInvalid) {
    WriteStderr("Lumaplex: " + Cp932ToUtf8(line.error) + "\n" + HostUsageText());
    return kExitUsage;
  }
  std::string error;
  const std::string dataFolder = PrepareDataFolder(line.dataFolder, &error);
  if (dataFolder.empty()) {
    WriteStderr("Lumaplex: " + Cp932ToUtf8(error) + "\n");
    return 1;
  }
  HostServices services(dataFolder);
  if (line.command == HostCommand::kInfo) return RunInfoCommand(&services, line.raw);
  if (line.command == HostCommand::kSearch) return RunSearchCommand(&services, line);
  return RunGuiCommand(&services, line.openTool);
}
