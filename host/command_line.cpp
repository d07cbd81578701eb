#include "host/command_line.h"

#include <utility>

namespace {

constexpr unsigned long kLargestMode = 0xFFFF;

HostCommandLine Invalid(std::string error) {
  HostCommandLine line;
  line.command = HostCommand::kInvalid;
  line.error = std::move(error);
  return line;
}

// A search mode: decimal digits only, 0 to 65535.
bool ParseMode(const std::string& text, std::uint16_t* mode) {
  if (text.empty() || text.size() > 5) return false;
  unsigned long value = 0;
  for (const char digit : text) {
    if (digit < '0' || digit > '9') return false;
    value = value * 10 + static_cast<unsigned long>(digit - '0');
  }
  if (value > kLargestMode) return false;
  *mode = static_cast<std::uint16_t>(value);
  return true;
}

bool LooksLikeOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

HostCommandLine ParseHostCommandLine(const std::vector<std::string>& args) {
  HostCommandLine line;
  bool dataGiven = false;
  bool modeGiven = false;
  bool textGiven = false;
  bool optionsEnded = false;  // after "--", every argument is the search text
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    const bool searching = line.command == HostCommand::kSearch;
    if (optionsEnded || (searching && !LooksLikeOption(arg))) {
      // Words given apart are one text with single spaces between them, as typed on a
      // console; the search cuts the text into words at spaces anyway.
      if (textGiven) line.searchText += ' ';
      line.searchText += arg;
      textGiven = true;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      HostCommandLine help;
      help.command = HostCommand::kHelp;
      return help;
    } else if (arg == "--data") {
      if (dataGiven) return Invalid("--data is given twice");
      if (!hasValue || args[i + 1].empty()) return Invalid("--data needs a folder");
      line.dataFolder = args[++i];
      dataGiven = true;
    } else if (arg == "--open") {
      line.openTool = true;
    } else if (arg == "--raw") {
      line.raw = true;
    } else if (arg == "--mode" && searching) {
      if (modeGiven) return Invalid("--mode is given twice");
      if (!hasValue || !ParseMode(args[i + 1], &line.searchMode)) {
        return Invalid("--mode needs a number from 0 to 65535");
      }
      ++i;
      modeGiven = true;
    } else if (arg == "--text-file" && searching) {
      if (!line.textFile.empty()) return Invalid("--text-file is given twice");
      if (!hasValue || args[i + 1].empty()) return Invalid("--text-file needs a file");
      line.textFile = args[++i];
    } else if (arg == "--" && searching) {
      optionsEnded = true;
    } else if (arg == "info" && line.command == HostCommand::kWindow) {
      line.command = HostCommand::kInfo;
    } else if (arg == "search" && line.command == HostCommand::kWindow) {
      line.command = HostCommand::kSearch;
    } else {
      return Invalid("unknown option or command: " + arg);
    }
  }
  const bool printing = line.command == HostCommand::kInfo || line.command == HostCommand::kSearch;
  if (line.raw && !printing) return Invalid("--raw goes with info or search only");
  if (line.openTool && printing) return Invalid("--open goes with the window only");
  if (textGiven && !line.textFile.empty()) return Invalid("give a text or --text-file, not both");
  return line;
}

const char* HostUsageText() {
  return "usage: Lumaplex.exe [--data DIR] [--open] [info [--raw]]\n"
         "       Lumaplex.exe [--data DIR] search [--mode N] [--raw] [--text-file FILE]\n"
         "                    [--] [TEXT...]\n"
         "       Lumaplex.exe --help\n"
         "  --data DIR        keep settings and tool data in DIR (default: data beside\n"
         "                    the program)\n"
         "  --open            open the tool window at start\n"
         "  info              print the tool's id, name, display name, template id, host\n"
         "                    values, file version and history, one per line, in UTF-8\n"
         "  search            print the tool's result lines for TEXT, one per line, in\n"
         "                    UTF-8; several TEXT words are one text with single spaces\n"
         "                    between them (no TEXT: the empty text, which matches every\n"
         "                    item)\n"
         "  --mode N          with search: the search mode, 0 to 65535 (default 0)\n"
         "  --text-file FILE  with search: search for the exact bytes of FILE\n"
         "  --raw             with info or search: print the texts as code page 932 bytes\n"
         "  --                with search: every later argument is TEXT, also one that\n"
         "                    begins with -\n"
         "  --help, -h, /?    print this text\n"
         "exit status: 0 done (a search that finds nothing too), 1 the tool, a file or\n"
         "  the data folder could not be used (a message says which), 2 a wrong command\n"
         "  line (a message and this text on standard error)\n";
}
