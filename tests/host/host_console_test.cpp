// Lumaplex.exe's console mode, run as a script would run it.

#include <string>

#include <gtest/gtest.h>

#include "plugin/tool_texts.h"
#include "support/run_host.h"
#include "support/scratch_folder.h"

namespace {

using todo_test::HostRun;
using todo_test::RunHost;

// Runs the info command on a data folder of its own.
HostRun Info(const std::string& options) {
  const todo_test::ScratchFolder data;
  return RunHost("--data \"" + data.Path() + "\" info" + options);
}

// The version line is the module's version resource, which the project's version sets.
TEST(HostInfo, RawPrintsTheToolsIdentityVersionAndHistoryAsCodePage932Lines) {
  const HostRun run = Info(" --raw");
  ASSERT_EQ(0u, run.exitCode);
  std::string expected = "18\nToDoList\n";
  expected += todo::kDisplayName;
  expected += "\n184\n1\n272\n" TODO_TEST_FILE_VERSION "\n";
  for (const char* line : todo::kHistory) expected += std::string(line) + "\n";
  EXPECT_EQ(expected, run.out);
}

TEST(HostInfo, PrintsUtf8ByDefault) {
  const HostRun run = Info("");
  ASSERT_EQ(0u, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("\nToDo\xE3\x83\xAA\xE3\x82\xB9\xE3\x83\x88\n"));
  EXPECT_EQ(std::string::npos, run.out.find(todo::kDisplayName));
}

TEST(HostHelp, PrintsTheUsageAndTheExitStatusesOnStandardOutput) {
  const HostRun run = RunHost("--help");
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_EQ(0u, run.out.rfind("usage: Lumaplex.exe", 0));
  EXPECT_NE(std::string::npos, run.out.find("exit status: 0"));
}

TEST(HostInfo, BadOptionGivesUsageAndExitTwo) {
  const HostRun run = RunHost("--bogus");
  EXPECT_EQ(2u, run.exitCode);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
