// The shared main of the Windows test programs. A crash must fail the test run at once, so
// every error dialog and debugger hand-off is switched off before any test runs.

#include <windows.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "crash: exception 0x%08lx at %p\n",
               static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
               info->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(&ReportCrash);
  std::signal(SIGABRT, [](int) {
    std::fputs("crash: abort\n", stderr);
    std::_Exit(3);
  });
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
