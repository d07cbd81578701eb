#include "host/command_line.h"

#include <utility>

namespace {

HostCommandLine Invalid(std::string error) {
  HostCommandLine line;
  line.command = HostCommand::kInvalid;
  line.error = std::move(error);
  return line;
}

}  // namespace

HostCommandLine ParseHostCommandLine(const std::vector<std::string>& args) {
  HostCommandLine line;
  bool dataGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h" || arg == "/?") {
      HostCommandLine help;
      help.command = HostCommand::kHelp;
      return help;
    }
    if (arg == "--data") {
      if (dataGiven) return Invalid("--data is given twice");
      if (i + 1 >= args.size() || args[i + 1].empty()) return Invalid("--data needs a folder");
      line.dataFolder = args[++i];
      dataGiven = true;
    } else if (arg == "--open") {
      line.openTool = true;
    } else if (arg == "--raw") {
      line.raw = true;
    } else if (arg == "info" && line.command == HostCommand::kWindow) {
      line.command = HostCommand::kInfo;
    } else {
      return Invalid("unknown option or command: " + arg);
    }
  }
  if (line.raw && line.command != HostCommand::kInfo) return Invalid("--raw goes with info only");
  if (line.openTool && line.command == HostCommand::kInfo) {
    return Invalid("--open does not go with info");
  }
  return line;
}

const char* HostUsageText() {
  return "usage: Lumaplex.exe [--data DIR] [--open] [info [--raw]]\n"
         "  --data DIR  keep settings and tool data in DIR (default: data beside the program)\n"
         "  --open      open the tool window at start\n"
         "  info        print the tool's id, name, display name, template id, host values\n"
         "              and history, one per line, in UTF-8\n"
         "  --raw       with info: print the texts as code page 932 bytes\n";
}
