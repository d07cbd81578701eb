#pragma once
// The host's command line:
//   Lumaplex.exe [--data DIR] [--open] [info [--raw]]
//   Lumaplex.exe [--data DIR] search [--mode N] [--raw] [--text-file FILE] [--] [TEXT...]
//   Lumaplex.exe --help
// Parsing is a pure function of the arguments, so it needs no window system.

#include <cstdint>
#include <string>
#include <vector>

enum class HostCommand {
  kWindow,   // the main window (no command word)
  kInfo,     // print the tool's identity and history on standard output
  kSearch,   // print the results of the tool's search on standard output
  kHelp,     // print the usage text on standard output
  kInvalid,  // print error and the usage text on standard error
};

struct HostCommandLine {
  HostCommand command = HostCommand::kWindow;
  std::string dataFolder;        // as given after --data; empty for the default folder
  bool openTool = false;         // --open: open the tool window at start
  bool raw = false;              // info or search --raw: print code page 932 bytes unchanged
  std::uint16_t searchMode = 0;  // search --mode N
  std::string searchText;        // search TEXT, several joined by single spaces; empty when missing
  std::string textFile;          // search --text-file FILE: the search text is its bytes
  std::string error;             // why the line is invalid
};

// args are the arguments after the program name.
HostCommandLine ParseHostCommandLine(const std::vector<std::string>& args);

// The usage text, ending with a line break.
const char* HostUsageText();
