// The search from the console, end to end: Lumaplex.exe loads the tool, searches the list
// files of its data folder and prints the result lines, byte for byte.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "support/run_host.h"
#include "support/tool_facts.h"
#include "support/scratch_folder.h"

namespace {

TEST(ConsoleSearch, PrintsTheResultLinesAndExitsAsDocumented) {
  todo_test::ScratchFolder data;
  ASSERT_TRUE(data.MakeFolder("ToDoList"));
  ASSERT_TRUE(data.Write("ToDoList\\Home.lst",
                         "0,2026,12,7,Pay rent\r\n1,2027,1,15,牛乳 milk\r\n0,2026,1,2,a b\r\n"));
  ASSERT_TRUE(data.Write("ToDoList\\Work.lst", "NO_DATE\r\n0,2026,3,4,-x report\r\n"));
  ASSERT_TRUE(data.Write("words.txt", "牛乳  b"));  // two spaces: 牛乳 and " b"
  const std::string words = "\"" + data.File("words.txt") + "\"";
  const std::string rentMilk =
      "[Home] (未) 期限：2026/12/7 Pay rent\n[Home] (済) 期限：2027/1/15 牛乳 milk\n";
  const struct {
    std::string arguments;
    DWORD exitCode;
    std::string out;
  } cases[] = {
      // Code page 932 bytes with --raw.
      {"--raw 2026", 0,
       "[Home] (未) 期限：2026/12/7 Pay rent\n[Home] (未) 期限：2026/1/2 a b\n"
       "[Work] (未) 期限：2026/3/4 -x report\n"},
      // UTF-8 by default: [Home] (済) 期限：2027/1/15 牛乳 milk, then the line holding " b".
      {"--text-file " + words, 0,
       "[Home] (\xE6\xB8\x88) \xE6\x9C\x9F\xE9\x99\x90\xEF\xBC\x9A"
       "2027/1/15 \xE7\x89\x9B\xE4\xB9\xB3 milk\n"
       "[Home] (\xE6\x9C\xAA) \xE6\x9C\x9F\xE9\x99\x90\xEF\xBC\x9A"
       "2026/1/2 a b\n"},
      {"--raw -- -x", 0, "[Work] (未) 期限：2026/3/4 -x report\n"},
      {"--raw --mode 1 rent", 0, std::string(todo_test::tool::kUnsupportedSearchMode) + "\n"},
      // Words given apart search as one text with spaces.
      {"--raw rent milk", 0, rentMilk},
      {"--raw \"rent milk\"", 0, rentMilk},
      {"--text-file \"" + data.File("missing.txt") + "\"", 1, ""},
      {"--mode x", 2, ""},  // with the usage on standard error
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const todo_test::HostRun run =
        todo_test::RunHost("--data \"" + data.Path() + "\" search " + c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
  }
}

}  // namespace
