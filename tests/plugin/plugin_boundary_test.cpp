// The plug-in as the host sees it: loaded through its export, read through its members and
// driven through its operations, with the tool window on its own thread.

#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "plugin/tool_texts.h"
#include "support/fake_host.h"
#include "support/message_pump.h"

using todo_test::CountWindowsTitled;
using todo_test::FakeHost;
using todo_test::PumpFor;
using todo_test::PumpUntil;

namespace {

// Reads a 32-bit member the way the host does: at a byte offset from the object's start.
template <typename T>
T ReadMember(const CHostTool* tool, std::size_t offset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const char*>(tool) + offset, sizeof(value));
  return value;
}

TEST(Environment, AnsiCodePageIs932SoTextsAndFileNamesRoundTrip) {
  EXPECT_EQ(932u, GetACP());
}

TEST(Factory, ToolCarriesItsIdentityAndThreeHistoryLinesInOrder) {
  FakeHost host;
  CHostTool* tool = host.tool();
  ASSERT_NE(nullptr, tool);
  ASSERT_EQ(3, tool->m_History.GetSize());
  for (int i = 0; i < 3; ++i) EXPECT_STREQ(todo::kHistory[i], tool->m_History.GetAt(i));
  EXPECT_EQ(18, tool->m_nToolId);
  EXPECT_STREQ("ToDoList", tool->m_strName);
  EXPECT_EQ(1, tool->m_nHostValue1);
  EXPECT_EQ(272, tool->m_nHostValue2);
  EXPECT_EQ(0, tool->m_bBusy.load());
  EXPECT_EQ(nullptr, tool->m_pThread);
  EXPECT_EQ(&host.services(), static_cast<IHostServices*>(tool->m_pHost));
  EXPECT_EQ(static_cast<CWnd*>(&host.window()), tool->m_pHostWnd);
}

TEST(Factory, ToolBitmapsAreLoadedInTheirSizesAndDepths) {
  FakeHost host;
  BITMAP big = {};
  BITMAP small = {};
  ASSERT_TRUE(GetObjectA(host.tool()->m_hBitmap256, sizeof(big), &big));
  ASSERT_TRUE(GetObjectA(host.tool()->m_hBitmap16, sizeof(small), &small));
  EXPECT_EQ(32, big.bmWidth);
  EXPECT_EQ(32, big.bmHeight);
  EXPECT_EQ(32, small.bmWidth);
  EXPECT_EQ(32, small.bmHeight);
}

TEST(Factory, MembersSitWhereTheHostReadsThem) {
  FakeHost host;
  const CHostTool* tool = host.tool();
  const std::size_t base = sizeof(CDialog);
  EXPECT_EQ(static_cast<IHostServices*>(&host.services()), ReadMember<IHostServices*>(tool, base));
  EXPECT_EQ(3, ReadMember<int>(tool, base + 4 + 4));  // the history's count after its data
  EXPECT_EQ(&host.window(), ReadMember<CWnd*>(tool, base + 20));
  EXPECT_EQ(18, ReadMember<int>(tool, base + 32));
  EXPECT_STREQ("ToDoList", ReadMember<const char*>(tool, base + 36));  // CString: one pointer
  EXPECT_EQ(1, ReadMember<int>(tool, base + 40));
  EXPECT_EQ(272, ReadMember<int>(tool, base + 44));
  EXPECT_EQ(tool->m_hBitmap256, ReadMember<HBITMAP>(tool, base + 48));
  EXPECT_EQ(tool->m_hBitmap16, ReadMember<HBITMAP>(tool, base + 52));
  EXPECT_EQ(0, ReadMember<int>(tool, base + 56));
}

TEST(Operations, DisplayNameAndTemplateAreTheSameBeforeAndAfterInitialize) {
  FakeHost host;
  CHostTool* tool = host.tool();
  EXPECT_STREQ("ToDoリスト", tool->GetDisplayName());
  EXPECT_EQ(184u, tool->GetTemplateId());
  ASSERT_TRUE(host.OpenTool());
  EXPECT_STREQ("ToDoリスト", tool->GetDisplayName());
  EXPECT_EQ(184u, tool->GetTemplateId());
}

TEST(Window, InitializeMakesTheListFolderAndAFixedSizeWindowOnAnotherThread) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  HWND window = host.tool()->m_hWnd;
  const DWORD attributes = GetFileAttributesA((host.dataFolder() + "\\ToDoList").c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(window, nullptr));
  EXPECT_EQ(nullptr, GetParent(window));
  char caption[64] = "";
  GetWindowTextA(window, caption, sizeof(caption));
  EXPECT_STREQ("ToDoリスト", caption);
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(765, client.right);
  EXPECT_EQ(600, client.bottom);
  EXPECT_EQ(1, host.log().Count("ready 18"));
}

TEST(Window, SecondInitializeWhileOpenMakesNoSecondWindowAndItsThreadEndsWithMinusOne) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  HWND first = host.tool()->m_hWnd;
  CWinThread* firstThread = host.tool()->m_pThread;
  host.tool()->Initialize();
  CWinThread* second = host.tool()->m_pThread;
  ASSERT_NE(firstThread, second);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second->m_hThread, 20000));
  DWORD code = 0;
  GetExitCodeThread(second->m_hThread, &code);
  EXPECT_EQ(0xFFFFFFFFu, code);
  PumpFor(200);
  EXPECT_EQ(first, host.tool()->m_hWnd);
  EXPECT_TRUE(IsWindow(first));
  EXPECT_EQ(1, CountWindowsTitled("ToDoリスト"));
  EXPECT_EQ(1, host.log().Count("ready 18"));
}

TEST(Notices, EachActivationSendsOneNoticeAndDeactivationNone) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  HWND tool = host.tool()->m_hWnd;
  const int before = host.log().Count("activated 18");

  // Activation by the keyboard's way (the window brought to the front).
  SetForegroundWindow(host.window().m_hWnd);
  PumpFor(100);
  const int afterHostActive = host.log().Count("activated 18");
  SetForegroundWindow(tool);
  ASSERT_TRUE(PumpUntil([&] { return host.log().Count("activated 18") == afterHostActive + 1; }));
  PumpFor(200);
  EXPECT_EQ(afterHostActive + 1, host.log().Count("activated 18"));
  EXPECT_GE(afterHostActive + 1, before + 1);

  // The activation codes as the window manager delivers them.
  const int start = host.log().Count("activated 18");
  ::SendMessageA(tool, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 0), 0);
  EXPECT_EQ(start + 1, host.log().Count("activated 18"));
  ::SendMessageA(tool, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  EXPECT_EQ(start + 1, host.log().Count("activated 18"));
  ::SendMessageA(tool, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  EXPECT_EQ(start + 2, host.log().Count("activated 18"));
}

TEST(Notices, ClosingIsReportedBeforeTheDestroyHandlingSaves) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  ASSERT_TRUE(host.CloseTool());
  const int closing = host.log().IndexOf("closing 18");
  const int saved = host.log().IndexOf("write WndPosX");
  ASSERT_NE(-1, closing);
  ASSERT_NE(-1, saved);
  EXPECT_LT(closing, saved);
  EXPECT_EQ(1, host.log().Count("closing 18"));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(host.tool()->m_pThread->m_hThread, 20000));
}

TEST(Lifetime, ClosedToolOpensAgainOnANewThread) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  const DWORD firstThread = GetWindowThreadProcessId(host.tool()->m_hWnd, nullptr);
  ASSERT_TRUE(host.CloseTool());
  ASSERT_TRUE(host.OpenTool());
  EXPECT_NE(firstThread, GetWindowThreadProcessId(host.tool()->m_hWnd, nullptr));
  EXPECT_EQ(2, host.log().Count("ready 18"));
}

TEST(Lifetime, DeletingTheToolWhileItsWindowIsOpenClosesTheWindowFirst) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  HWND window = host.tool()->m_hWnd;
  host.DeleteTool();  // must not crash or leave the window to a deleted object
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(1, host.log().Count("closing 18"));
  EXPECT_NE(-1, host.log().IndexOf("write WndPosX"));
}

TEST(Placement, WindowReopensWhereItWasStored) {
  FakeHost host;
  host.services().Set("18/WndPosX", "-40");
  host.services().Set("18/WndPosY", "  25px");
  ASSERT_TRUE(host.OpenTool());
  RECT rect = {};
  GetWindowRect(host.tool()->m_hWnd, &rect);
  EXPECT_EQ(-40, rect.left);
  EXPECT_EQ(25, rect.top);
  ::MoveWindow(host.tool()->m_hWnd, 70, -15, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("70", host.services().Get("18/WndPosX"));
  EXPECT_EQ("-15", host.services().Get("18/WndPosY"));
}

TEST(Placement, TextsThatAreNoNumbersPlaceTheWindowAtZero) {
  FakeHost host;
  host.services().Set("18/WndPosX", "left");
  ASSERT_TRUE(host.OpenTool());
  RECT rect = {};
  GetWindowRect(host.tool()->m_hWnd, &rect);
  EXPECT_EQ(0, rect.left);
  EXPECT_EQ(0, rect.top);
}

TEST(Settings, DialogRunsOnTheToolThreadWithTheBusyFlagSetOnlyWhileOpen) {
  FakeHost host;
  ASSERT_TRUE(host.OpenTool());
  ::PostMessageA(host.tool()->m_hWnd, WM_TOOL_SETTINGS, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return CountWindowsTitled("ToDoリストの設定") == 1; }));
  EXPECT_EQ(1, host.tool()->m_bBusy.load());
  // Asked again while open: still one dialog.
  ::PostMessageA(host.tool()->m_hWnd, WM_TOOL_SETTINGS, 0, 0);
  PumpFor(300);
  EXPECT_EQ(1, CountWindowsTitled("ToDoリストの設定"));
  EXPECT_EQ(1, host.tool()->m_bBusy.load());

  HWND dialog = FindWindowA(nullptr, "ToDoリストの設定");
  // Its one text and its one button.
  char text[128] = "";
  GetWindowTextA(GetDlgItem(dialog, IDCANCEL), text, sizeof(text));
  EXPECT_STREQ("閉じる", text);
  HWND note = FindWindowExA(dialog, nullptr, "Static", nullptr);
  GetWindowTextA(note, text, sizeof(text));
  EXPECT_STREQ("現在、ToDoリストに設定項目はありません。", text);
  EXPECT_EQ(nullptr, FindWindowExA(dialog, note, "Static", nullptr));
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(PumpUntil([] { return CountWindowsTitled("ToDoリストの設定") == 0; }));
  PumpFor(100);
  EXPECT_EQ(0, host.tool()->m_bBusy.load());
  EXPECT_TRUE(IsWindow(host.tool()->m_hWnd));
}

TEST(SaveState, StoresNothingWithoutAWindowAndReportsNothingSaved) {
  FakeHost host;
  EXPECT_EQ(0, host.tool()->SaveState());
  EXPECT_EQ(-1, host.log().IndexOf("write WndPosX"));
}

}  // namespace
