#include "support/own_desktop.h"

#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace todo_test {

namespace {

class OwnDesktop : public testing::Environment {
 public:
  void SetUp() override {
    const std::string name = "todo-test-" + std::to_string(GetCurrentProcessId());
    // Wine's desktop program makes the desktop and shows it as one window of its own.
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
    for (int i = 0; i < 100 && !m_desktop; ++i) {
      m_desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL);
      if (!m_desktop) Sleep(50);
    }
    if (!m_desktop) return Unavailable("its desktop did not appear");
    if (!SetThreadDesktop(m_desktop)) return Unavailable("this thread could not move to it");
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
    if (m_desktop) CloseDesktop(m_desktop);
    m_desktop = nullptr;
  }

  const std::string& Name() const { return m_name; }

 private:
  void Unavailable(const char* why) {
    std::fprintf(stderr, "note: no desktop of its own (%s); the test runs slower\n", why);
    TearDown();
  }

  PROCESS_INFORMATION m_desktopProgram = {};
  HANDLE m_job = nullptr;
  HDESK m_desktop = nullptr;
  std::string m_name;
};

OwnDesktop* const g_ownDesktop =
    static_cast<OwnDesktop*>(testing::AddGlobalTestEnvironment(new OwnDesktop));

}  // namespace

std::string OwnDesktopName() {
  return g_ownDesktop->Name();
}

}  // namespace todo_test
