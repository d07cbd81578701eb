// The host's command line: scripts depend on what it accepts and refuses.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/command_line.h"

namespace {

struct Case {
  std::vector<std::string> args;
  HostCommand command;
  std::string dataFolder;
  bool open;
  bool raw;
};

TEST(HostCommandLine, AcceptedLines) {
  const Case cases[] = {
      {{}, HostCommand::kWindow, "", false, false},
      {{"--open"}, HostCommand::kWindow, "", true, false},
      {{"--data", "C:\\d", "--open"}, HostCommand::kWindow, "C:\\d", true, false},
      {{"info"}, HostCommand::kInfo, "", false, false},
      {{"--data", "x", "info", "--raw"}, HostCommand::kInfo, "x", false, true},
      {{"--raw", "info"}, HostCommand::kInfo, "", false, true},
      {{"--help"}, HostCommand::kHelp, "", false, false},
      {{"--data", "x", "search", "--raw", "milk"}, HostCommand::kSearch, "x", false, true},
  };
  for (const Case& c : cases) {
    const HostCommandLine line = ParseHostCommandLine(c.args);
    SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
    EXPECT_EQ(c.command, line.command) << line.error;
    EXPECT_EQ(c.dataFolder, line.dataFolder);
    EXPECT_EQ(c.open, line.openTool);
    EXPECT_EQ(c.raw, line.raw);
  }
}

struct SearchCase {
  std::vector<std::string> args;
  unsigned mode;
  std::string text;
  std::string textFile;
};

TEST(HostCommandLine, SearchTakesItsTextModeAndTextFile) {
  const SearchCase cases[] = {
      {{"search"}, 0, "", ""},  // no text is the empty text
      {{"search", "milk"}, 0, "milk", ""},
      {{"search", "a  b "}, 0, "a  b ", ""},  // spaces stay: they cut the words later
      {{"search", "--mode", "1", "x"}, 1, "x", ""},
      {{"search", "--mode", "65535"}, 65535, "", ""},
      {{"search", "--", "--mode"}, 0, "--mode", ""},  // after --, options are text
      {{"search", "-"}, 0, "-", ""},
      {{"search", "info"}, 0, "info", ""},
      {{"search", "search"}, 0, "search", ""},
      {{"search", "--text-file", "t.txt"}, 0, "", "t.txt"},
      // Words given apart, as a console user types them, are one text with single spaces.
      {{"search", "review", "会議"}, 0, "review 会議", ""},
      {{"search", "a  b", "c"}, 0, "a  b c", ""},
      {{"search", "a", "--mode", "1", "b"}, 1, "a b", ""},
      {{"search", "--", "a", "-b", "--raw"}, 0, "a -b --raw", ""},
  };
  for (const SearchCase& c : cases) {
    const HostCommandLine line = ParseHostCommandLine(c.args);
    SCOPED_TRACE(c.args.back());
    EXPECT_EQ(HostCommand::kSearch, line.command) << line.error;
    EXPECT_EQ(c.mode, line.searchMode);
    EXPECT_EQ(c.text, line.searchText);
    EXPECT_EQ(c.textFile, line.textFile);
  }
}

TEST(HostCommandLine, RefusedLinesSayWhy) {
  const std::vector<std::vector<std::string>> refused = {
      {"--data"},
      {"--data", ""},
      {"--data", "a", "--data", "b"},
      {"--raw"},
      {"info", "--open"},
      {"info", "info"},
      {"--verbose"},
      {"--mode", "1"},  // search options without search
      {"info", "--text-file", "t"},
      {"search", "--open"},
      {"search", "--mode"},
      {"search", "--mode", "x"},
      {"search", "--mode", "-1"},
      {"search", "--mode", "65536"},
      {"search", "--mode", "1", "--mode", "2"},
      {"search", "--text-file"},
      {"search", "--text-file", "t", "text"},
      {"search", "a", "--text-file", "t", "b"},
      {"search", "--bogus"},
  };
  for (const auto& args : refused) {
    const HostCommandLine line = ParseHostCommandLine(args);
    EXPECT_EQ(HostCommand::kInvalid, line.command) << args.back();
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
