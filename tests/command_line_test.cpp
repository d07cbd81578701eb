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

TEST(HostCommandLine, RefusedLinesSayWhy) {
  const std::vector<std::vector<std::string>> refused = {
      {"--data"}, {"--data", ""},     {"--data", "a", "--data", "b"},
      {"--raw"},  {"info", "--open"}, {"info", "info"},
      {"search"}, {"--verbose"},
  };
  for (const auto& args : refused) {
    const HostCommandLine line = ParseHostCommandLine(args);
    EXPECT_EQ(HostCommand::kInvalid, line.command) << args[0];
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
