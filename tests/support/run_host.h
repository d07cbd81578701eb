#pragma once
// Running Lumaplex.exe as a script would: its exit code and everything it writes on its
// standard output.

#include <windows.h>

#include <string>

namespace todo_test {

struct HostRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
};

// Runs Lumaplex.exe (beside the test program) with the arguments, waiting up to a minute.
HostRun RunHost(const std::string& arguments);

// A folder for the host's data under the system's temporary folder, named after name.
std::string HostTempFolder(const std::string& name);

}  // namespace todo_test
