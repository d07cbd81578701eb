// The framework's windows: message routing, dialogs from templates, bitmap buttons and
// threads, as the tool and the host rely on them.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/fw_app.h"
#include "framework/fw_controls.h"
#include "framework/fw_dialog.h"
#include "framework/fw_thread.h"
#include "support/message_pump.h"

namespace {

class CTestApp : public CWinApp {};
CTestApp theApp;

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kPong = WM_APP + 2;

class BaseWindow : public CWnd {
 public:
  std::vector<std::string> calls;
  LRESULT OnPing(WPARAM, LPARAM) {
    calls.push_back("base ping");
    return 1;
  }
  LRESULT OnPong(WPARAM, LPARAM) {
    calls.push_back("base pong");
    return 2;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
ON_MESSAGE(kPing, OnPing)
ON_MESSAGE(kPong, OnPong)
END_MESSAGE_MAP()

class DerivedWindow : public BaseWindow {
 public:
  int defaults = 0;
  LRESULT OnPing(WPARAM, LPARAM) {
    calls.push_back("derived ping");
    return 10;
  }
  void OnButton() { calls.push_back("button 7"); }
  void OnEditFocusLost() { calls.push_back("edit 7 lost focus"); }
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP + 3) ++defaults;
    return CWnd::DefWindowProc(message, wParam, lParam);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWindow, BaseWindow)
ON_MESSAGE(kPing, OnPing)
ON_BN_CLICKED(7, OnButton)
ON_EN_KILLFOCUS(7, OnEditFocusLost)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntriesWinAndTheRestFallThroughToBasesAndDefault) {
  DerivedWindow window;
  ASSERT_TRUE(window.CreateEx(0, "map", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
  EXPECT_EQ(10, window.SendMessage(kPing));
  EXPECT_EQ(2, window.SendMessage(kPong));
  window.SendMessage(WM_APP + 3);
  window.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED));
  window.SendMessage(WM_COMMAND, MAKEWPARAM(7, EN_KILLFOCUS));
  window.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_CLICKED));  // no entry: nothing runs
  EXPECT_EQ(
      (std::vector<std::string>{"derived ping", "base pong", "button 7", "edit 7 lost focus"}),
      window.calls);
  EXPECT_EQ(1, window.defaults);
}

TEST(Window, ObjectForgetsItsWindowOnceDestroyed) {
  DerivedWindow window;
  ASSERT_TRUE(window.CreateEx(0, "gone", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
  HWND handle = window.m_hWnd;
  EXPECT_EQ(&window, CWnd::FromHandlePermanent(handle));
  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_EQ(nullptr, window.m_hWnd);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(100, nullptr) {}
  bool initialised = false;
  int buttonDraws = 0;
  CBitmapButton button;
  BOOL OnInitDialog() override {
    initialised = m_hWnd != nullptr && GetDlgItem(101) != nullptr;
    button.AutoLoad(102, this);
    return TRUE;
  }
};

TEST(Dialog, ModelessDialogComesFromTheTemplateAndIgnoresCancel) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create(100, nullptr));
  EXPECT_TRUE(dialog.initialised);
  EXPECT_FALSE(dialog.Create(100, nullptr));  // one window per object
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_TRUE(IsWindow(dialog.m_hWnd));
  dialog.DestroyWindow();
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(Dialog, MissingTemplateFailsInsteadOfMakingAWindow) {
  CDialog dialog(999, nullptr);
  EXPECT_FALSE(dialog.Create(999, nullptr));
  EXPECT_EQ(-1, dialog.DoModal());
}

void CALLBACK CancelOpenTestDialog(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND open = FindWindowA(nullptr, "Framework test")) {
    KillTimer(nullptr, id);
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

TEST(Dialog, ModalDialogEndsWithCancel) {
  TestDialog dialog;
  // Close it from its own loop once it is up.
  SetTimer(nullptr, 0, 50, &CancelOpenTestDialog);
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(BitmapButton, TakesTheSizeOfItsNormalImage) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create(100, nullptr));
  RECT rect = {};
  ASSERT_TRUE(GetWindowRect(dialog.button.m_hWnd, &rect));
  EXPECT_EQ(32, rect.right - rect.left);
  EXPECT_EQ(32, rect.bottom - rect.top);
  dialog.DestroyWindow();
}

TEST(App, NameIsTheModuleFileWithoutExtension) {
  EXPECT_STREQ("framework_tests", AfxGetAppName());
  EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetInstanceHandle());
}

UINT __cdecl ReturnParam(LPVOID param) {
  return static_cast<UINT>(reinterpret_cast<UINT_PTR>(param));
}

TEST(Thread, SuspendedThreadKeptByCallerReportsItsExitCode) {
  CWinThread* thread = AfxBeginThread(&ReturnParam, reinterpret_cast<LPVOID>(UINT_PTR{77}),
                                      THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(nullptr, thread);
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread->m_hThread, 20000));
  DWORD code = 0;
  GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(77u, code);
  delete thread;
}

}  // namespace
