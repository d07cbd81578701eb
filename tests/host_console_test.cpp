// Lumaplex.exe's console mode, run as a script would run it.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/tool_texts.h"

namespace {

struct HostRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
};

// Runs Lumaplex.exe (beside this test) with the arguments and collects its standard output.
HostRun RunHost(const std::string& arguments) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.find_last_of('\\') + 1) + "Lumaplex.exe";
  std::string commandLine = "\"" + exe + "\" " + arguments;

  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  HostRun run;
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(writeEnd);
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got)
      run.out.append(chunk, got);
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  } else {
    CloseHandle(writeEnd);
  }
  CloseHandle(readEnd);
  return run;
}

std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "todo-host-test";
}

TEST(HostInfo, RawPrintsTheToolsIdentityAndHistoryAsCodePage932Lines) {
  const HostRun run = RunHost("--data \"" + TempFolder() + "\" info --raw");
  ASSERT_EQ(0u, run.exitCode);
  std::string expected = "18\nToDoList\n";
  expected += todo::kDisplayName;
  expected += "\n184\n1\n272\n";
  for (const char* line : todo::kHistory) expected += std::string(line) + "\n";
  EXPECT_EQ(expected, run.out);
}

TEST(HostInfo, PrintsUtf8ByDefault) {
  const HostRun run = RunHost("--data \"" + TempFolder() + "\" info");
  ASSERT_EQ(0u, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("\nToDo\xE3\x83\xAA\xE3\x82\xB9\xE3\x83\x88\n"));
  EXPECT_EQ(std::string::npos, run.out.find(todo::kDisplayName));
}

TEST(HostInfo, BadOptionGivesUsageAndExitTwo) {
  const HostRun run = RunHost("--bogus");
  EXPECT_EQ(2u, run.exitCode);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
