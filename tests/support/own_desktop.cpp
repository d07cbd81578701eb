// A window test program linked with this file runs its windows on a desktop of its own, which
// Wine shows as one window of its own. Without a window manager, Wine waits two seconds each
// time a framed top-level window of the plain desktop is hidden (every message box answered,
// every close); on a desktop of its own no such wait happens. It also keeps the windows, the
// focus and the keys of this program apart from those of other programs on the same display,
// so that several window test programs can run at once.
//
// The desktop is made before the first test by starting the desktop program for it, and every
// thread of this process (the tool thread too, which the module starts) is put on it as the
// thread begins; programs the test starts are put on it by name (OwnDesktopName). Where that
// cannot be done, the program runs on the plain desktop, only slower.

#include "support/own_desktop.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

HDESK g_desktop = nullptr;

// Runs as every new thread of the process begins, before it has a window or a hook.
void NTAPI PutNewThreadOnOwnDesktop(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_ATTACH && g_desktop) SetThreadDesktop(g_desktop);
}

}  // namespace

// The loader calls the functions of this section for every thread that begins.
extern "C" {
__attribute__((section(".CRT$XLF"), used)) PIMAGE_TLS_CALLBACK own_desktop_callback =
    &PutNewThreadOnOwnDesktop;
}

namespace todo_test {

namespace {

class OwnDesktop : public testing::Environment {
 public:
  void SetUp() override {
    const std::string name = "todo-test-" + std::to_string(GetCurrentProcessId());
    std::string command = "explorer.exe /desktop=" + name + ",1280x1024";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &m_desktopProgram)) {
      return Unavailable("the desktop program did not start");
    }
    // Should this process end by a crash or a hang, the job ends the desktop program with it.
    m_job = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (m_job) {
      SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
      AssignProcessToJobObject(m_job, m_desktopProgram.hProcess);
    }
    ResumeThread(m_desktopProgram.hThread);
    WaitForInputIdle(m_desktopProgram.hProcess, 10000);
    HDESK desktop = nullptr;
    for (int i = 0; i < 100 && !desktop; ++i) {
      desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL);
      if (!desktop) Sleep(50);
    }
    if (!desktop) return Unavailable("its desktop did not appear");
    if (!SetThreadDesktop(desktop)) {
      CloseDesktop(desktop);
      return Unavailable("this thread could not move to it");
    }
    g_desktop = desktop;
    m_name = name;
  }

  void TearDown() override {
    m_name.clear();
    // The desktop program was started here and serves this process only.
    if (m_desktopProgram.hProcess) {
      TerminateProcess(m_desktopProgram.hProcess, 0);
      WaitForSingleObject(m_desktopProgram.hProcess, 5000);
      CloseHandle(m_desktopProgram.hProcess);
      CloseHandle(m_desktopProgram.hThread);
      m_desktopProgram = {};
    }
    if (m_job) CloseHandle(m_job);
    m_job = nullptr;
  }

  const std::string& Name() const { return m_name; }

 private:
  void Unavailable(const char* why) {
    std::fprintf(stderr, "note: no desktop of its own (%s); the window tests run slower\n", why);
    TearDown();
  }

  PROCESS_INFORMATION m_desktopProgram = {};
  HANDLE m_job = nullptr;
  std::string m_name;
};

OwnDesktop* const g_ownDesktop =
    static_cast<OwnDesktop*>(testing::AddGlobalTestEnvironment(new OwnDesktop));

}  // namespace

std::string OwnDesktopName() {
  return g_ownDesktop->Name();
}

}  // namespace todo_test
