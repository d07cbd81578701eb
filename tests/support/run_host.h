#pragma once
// Running Lumaplex.exe, or another program, as a script would: its exit code and everything it
// writes on its standard output.

#include <windows.h>

#include <string>

namespace todo_test {

struct HostRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
};

// The command line that starts Lumaplex.exe, which lies beside the test program, with the
// arguments.
inline std::string HostCommandLine(const std::string& arguments) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string exe = self;
  return "\"" + exe.substr(0, exe.find_last_of('\\') + 1) + "Lumaplex.exe\" " + arguments;
}

// Runs a command line with its standard output caught and waits up to timeoutMs for it to end
// (the exit code stays 0xFFFFFFFF when it does not).
HostRun RunProgram(std::string commandLine, DWORD timeoutMs = 60000, DWORD creationFlags = 0);

// Runs Lumaplex.exe with the arguments, waiting up to a minute.
inline HostRun RunHost(const std::string& arguments) {
  return RunProgram(HostCommandLine(arguments));
}

}  // namespace todo_test
