#include "support/run_host.h"

#include "framework/fw_handles.h"

namespace todo_test {

HostRun RunProgram(std::string commandLine, DWORD timeoutMs, DWORD creationFlags) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  const fw::UniqueFileHandle reading(readEnd);
  fw::UniqueFileHandle writing(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  HostRun run;
  const bool started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE,
                                      creationFlags, nullptr, nullptr, &startup, &process);
  writing.Close();  // the program's copy is the last: reading ends when the program does
  if (!started) return run;
  const fw::UniqueFileHandle ownedProcess(process.hProcess);
  const fw::UniqueFileHandle ownedThread(process.hThread);
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got)
    run.out.append(chunk, got);
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &run.exitCode);
  }
  return run;
}

}  // namespace todo_test
