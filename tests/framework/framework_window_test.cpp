// The framework's windows: message routing, dialogs from templates, bitmap buttons and
// threads, as the tool and the host rely on them.

#include <windows.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/fw_app.h"
#include "framework/fw_controls.h"
#include "framework/fw_dialog.h"
#include "framework/fw_thread.h"
#include "framework/fw_window_map.h"

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

// Answers kWhoAnswers with the object that received it, and notes whether the framework found
// the object for its own window during WM_NCCREATE.
constexpr UINT kWhoAnswers = WM_APP + 4;

class SelfAwareWindow : public CWnd {
 public:
  bool foundDuringNcCreate = false;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NCCREATE) foundDuringNcCreate = FromHandlePermanent(m_hWnd) == this;
    if (message == kWhoAnswers) return reinterpret_cast<LRESULT>(this);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// Runs `work` on this thread and on another at once (neither starts before both are there),
// and counts the checks that failed on either: work(thread, check) calls check(false) for each.
int FaultsOnTwoThreadsAtOnce(
    const std::function<void(int, const std::function<void(bool)>&)>& work) {
  std::atomic<int> started{0};
  std::atomic<int> faults{0};
  auto run = [&](int thread) {
    started.fetch_add(1);
    while (started.load() < 2) std::this_thread::yield();
    work(thread, [&](bool ok) { faults.fetch_add(ok ? 0 : 1); });
  };
  std::thread other(run, 1);
  run(0);
  other.join();
  return faults.load();
}

// Windows made and destroyed, and objects attached to plain windows and let go again, many
// times on two threads at once, so that the framework's lookup is changed and read by both.
TEST(WindowLookup, WindowsMadeAndDestroyedOnTwoThreadsAtOnceNeverFindAnotherOrAStaleObject) {
  EXPECT_EQ(0, FaultsOnTwoThreadsAtOnce([](int, const std::function<void(bool)>& check) {
              for (int round = 0; round < 100; ++round) {
                SelfAwareWindow parent;
                SelfAwareWindow child;
                const bool made =
                    parent.CreateEx(0, "racing", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0) &&
                    child.CreateEx(0, "child", WS_CHILD, RECT{0, 0, 10, 10}, &parent, 5);
                check(made);
                if (!made) continue;
                const HWND parentHandle = parent.m_hWnd;
                const HWND childHandle = child.m_hWnd;
                check(parent.foundDuringNcCreate && child.foundDuringNcCreate);
                check(CWnd::FromHandlePermanent(parentHandle) == &parent);
                check(CWnd::FromHandlePermanent(childHandle) == &child);
                check(parent.SendMessage(kWhoAnswers) == reinterpret_cast<LRESULT>(&parent));
                check(child.SendMessage(kWhoAnswers) == reinterpret_cast<LRESULT>(&child));
                // Destroying the parent takes the child with it; neither is found afterwards.
                parent.DestroyWindow();
                check(parent.m_hWnd == nullptr && child.m_hWnd == nullptr);
                check(CWnd::FromHandlePermanent(parentHandle) == nullptr);
                check(CWnd::FromHandlePermanent(childHandle) == nullptr);
              }
              constexpr int kWindows = 16;
              HWND plain[kWindows];
              for (HWND& window : plain) {
                window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
              }
              for (int round = 0; round < 150; ++round) {
                SelfAwareWindow objects[kWindows];
                for (int i = 0; i < kWindows; ++i) check(objects[i].SubclassWindow(plain[i]));
                for (int look = 0; look < 20; ++look) {
                  for (int i = 0; i < kWindows; ++i)
                    check(CWnd::FromHandlePermanent(plain[i]) == &objects[i]);
                }
                for (int i = 0; i < kWindows; ++i) {
                  check(objects[i].UnsubclassWindow() == plain[i]);
                  check(CWnd::FromHandlePermanent(plain[i]) == nullptr);
                }
              }
              for (HWND window : plain) ::DestroyWindow(window);
            }));
}

// The map on its own, without the window system's slower calls between its operations, so
// that the two threads' changes overlap often: entries of each thread are added, found and
// removed while the other thread does the same.
TEST(WindowObjectMap, EntriesAreNeitherLostNorMixedUpWhenTwoThreadsChangeTheMapAtOnce) {
  fw::WindowObjectMap<int> map;
  EXPECT_EQ(0, FaultsOnTwoThreadsAtOnce([&](int thread, const std::function<void(bool)>& check) {
              int objects[64];
              // Handles of no real window, a range for each thread.
              auto handle = [&](int i) {
                return reinterpret_cast<HWND>(0x100000 * (thread + 1) + 4 * i);
              };
              for (int round = 0; round < 1000; ++round) {
                for (int i = 0; i < 64; ++i) check(map.Add(handle(i), &objects[i]));
                for (int i = 0; i < 64; ++i) check(map.Find(handle(i)) == &objects[i]);
                for (int i = 0; i < 64; ++i) {
                  check(map.Remove(handle(i), &objects[i]));
                  check(map.Find(handle(i)) == nullptr);
                }
              }
            }));
}

TEST(WindowLookup, WindowWhoseThreadEndedIsNotFound) {
  SelfAwareWindow window;
  HWND handle = nullptr;
  std::thread([&] {
    ASSERT_TRUE(window.CreateEx(0, "elsewhere", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    handle = window.m_hWnd;
  }).join();
  // The thread has ended and taken its window along.
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST(WindowLookup, SubclassedControlKeepsItsOwnBehaviourAndIsForgottenWhenLetGo) {
  const HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  const LONG_PTR editProcedure = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));

  SelfAwareWindow first;
  ASSERT_TRUE(first.SubclassWindow(edit));
  EXPECT_EQ(&first, CWnd::FromHandlePermanent(edit));
  EXPECT_EQ(reinterpret_cast<LRESULT>(&first), ::SendMessageA(edit, kWhoAnswers, 0, 0));
  // What the object does not handle reaches the edit control's own procedure.
  ::SetWindowTextA(edit, "kept");
  char text[16] = "";
  GetWindowTextA(edit, text, sizeof(text));
  EXPECT_STREQ("kept", text);

  // One object per window: a second one is refused and changes nothing.
  SelfAwareWindow second;
  EXPECT_FALSE(second.SubclassWindow(edit));
  EXPECT_EQ(nullptr, second.m_hWnd);
  EXPECT_EQ(&first, CWnd::FromHandlePermanent(edit));

  // Let go: the control is its old self, and the second object may now take it.
  EXPECT_EQ(edit, first.UnsubclassWindow());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
  EXPECT_EQ(editProcedure, GetWindowLongPtrA(edit, GWLP_WNDPROC));
  EXPECT_EQ(0, ::SendMessageA(edit, kWhoAnswers, 0, 0));
  EXPECT_TRUE(second.SubclassWindow(edit));
  EXPECT_EQ(&second, CWnd::FromHandlePermanent(edit));

  // Destroyed while subclassed: the object learns of it and is not found again.
  ::DestroyWindow(edit);
  EXPECT_EQ(nullptr, second.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
  EXPECT_FALSE(first.SubclassWindow(edit));  // no window any more
}

TEST(WindowLookup, ObjectDeletedBeforeItsWindowOfAnotherThreadIsNotFound) {
  // The window stays with its thread; the object goes without it, from this thread.
  auto* object = new SelfAwareWindow;
  HWND handle = nullptr;
  std::promise<void> made, deleted;
  LRESULT answerAfterwards = -1;
  std::thread owner([&] {
    if (object->CreateEx(0, "orphan", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0)) {
      handle = object->m_hWnd;
    }
    made.set_value();
    deleted.get_future().wait();
    // Its messages, the last ones too, must not reach the object that is gone.
    answerAfterwards = ::SendMessageA(handle, kWhoAnswers, 0, 0);
    ::DestroyWindow(handle);
  });
  made.get_future().wait();
  EXPECT_NE(nullptr, handle);
  EXPECT_EQ(object, CWnd::FromHandlePermanent(handle));
  delete object;
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
  deleted.set_value();
  owner.join();
  EXPECT_EQ(0, answerAfterwards);
}

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(100, nullptr) {}
  bool initialised = false;
  CBitmapButton button;
  bool foundDuringInit = false;
  BOOL OnInitDialog() override {
    initialised = m_hWnd != nullptr && GetDlgItem(101) != nullptr;
    foundDuringInit = FromHandlePermanent(m_hWnd) == this;
    button.AutoLoad(102, this);
    return TRUE;
  }
};

TEST(Dialog, ModelessDialogComesFromTheTemplateWithItsBitmapButtonAndIgnoresCancel) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create(100, nullptr));
  EXPECT_TRUE(dialog.initialised);
  EXPECT_TRUE(dialog.foundDuringInit);
  EXPECT_EQ(&dialog.button, CWnd::FromHandlePermanent(dialog.GetDlgItem(102)));
  // The button takes the size of its normal image.
  RECT rect = {};
  ASSERT_TRUE(GetWindowRect(dialog.button.m_hWnd, &rect));
  EXPECT_EQ(32, rect.right - rect.left);
  EXPECT_EQ(32, rect.bottom - rect.top);
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
