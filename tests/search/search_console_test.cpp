// The search from the console, end to end: Lumaplex.exe loads the tool, searches the list
// files of its data folder and prints the result lines, byte for byte.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "support/run_host.h"

namespace {

using todo_test::HostRun;
using todo_test::RunHost;

class ConsoleSearch : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    m_data = todo_test::HostTempFolder("todo-search-console");
    CreateDirectoryA(m_data.c_str(), nullptr);
    CreateDirectoryA((m_data + "\\ToDoList").c_str(), nullptr);
    Write(m_data + "\\ToDoList\\Home.lst",
          "0,2026,12,7,Pay rent\r\n1,2027,1,15,牛乳 milk\r\n0,2026,1,2,a b\r\n");
    Write(m_data + "\\ToDoList\\Work.lst", "NO_DATE\r\n0,2026,3,4,-x report\r\n");
    Write(m_data + "\\words.txt", "牛乳  b");  // two spaces: 牛乳 and " b"
  }

  static void Write(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  static HostRun Search(const std::string& arguments) {
    return RunHost("--data \"" + m_data + "\" search " + arguments);
  }

  static std::string m_data;
};

std::string ConsoleSearch::m_data;

TEST_F(ConsoleSearch, RawPrintsEachResultLineAsCodePage932Bytes) {
  const HostRun run = Search("--raw 2026");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.out,
            "[Home] (未) 期限：2026/12/7 Pay rent\n"
            "[Home] (未) 期限：2026/1/2 a b\n"
            "[Work] (未) 期限：2026/3/4 -x report\n");
}

TEST_F(ConsoleSearch, PrintsUtf8ByDefaultAndTakesTheTextFileAsItIs) {
  const HostRun run = Search("--text-file \"" + m_data + "\\words.txt\"");
  EXPECT_EQ(run.exitCode, 0u);
  // [Home] (済) 期限：2027/1/15 牛乳 milk, then the line holding " b", in UTF-8.
  EXPECT_EQ(run.out,
            "[Home] (\xE6\xB8\x88) \xE6\x9C\x9F\xE9\x99\x90\xEF\xBC\x9A"
            "2027/1/15 \xE7\x89\x9B\xE4\xB9\xB3 milk\n"
            "[Home] (\xE6\x9C\xAA) \xE6\x9C\x9F\xE9\x99\x90\xEF\xBC\x9A"
            "2026/1/2 a b\n");
}

TEST_F(ConsoleSearch, OptionLikeTextAfterDoubleDashAndOtherModes) {
  EXPECT_EQ(Search("--raw -- -x").out, "[Work] (未) 期限：2026/3/4 -x report\n");
  const HostRun mode = Search("--raw --mode 1 rent");
  EXPECT_EQ(mode.exitCode, 0u);
  EXPECT_EQ(mode.out, "非対応の検索モードです。\n");
}

TEST_F(ConsoleSearch, WordsGivenApartSearchAsOneTextWithSpaces) {
  const HostRun apart = Search("--raw rent milk");
  EXPECT_EQ(apart.exitCode, 0u);
  EXPECT_EQ(apart.out,
            "[Home] (未) 期限：2026/12/7 Pay rent\n"
            "[Home] (済) 期限：2027/1/15 牛乳 milk\n");
  EXPECT_EQ(Search("--raw \"rent milk\"").out, apart.out);
}

TEST_F(ConsoleSearch, ATextFileThatCannotBeReadGivesExitOne) {
  const HostRun run = Search("--text-file \"" + m_data + "\\missing.txt\"");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_TRUE(run.out.empty());
}

TEST_F(ConsoleSearch, BadOptionGivesUsageAndExitTwo) {
  const HostRun run = Search("--mode x");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
