// The plug-in as the host sees it: loaded through its export, read through its members and
// driven through its operations, with the tool window on its own thread.

#include <cstdint>
#include <cstring>
#include <string>

#include "plugin/tool_texts.h"
#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

// Reads a 32-bit member the way the host does: at a byte offset from the object's start.
template <typename T>
T ReadMember(const CHostTool* object, std::size_t offset) {
  T value;
  std::memcpy(&value, reinterpret_cast<const char*>(object) + offset, sizeof(value));
  return value;
}

TEST(Environment, AnsiCodePageIs932SoTextsAndFileNamesRoundTrip) {
  EXPECT_EQ(932u, GetACP());
}

class Factory : public ToolWindowTest {};

// What the host reads of the tool it was given, each at its byte offset after the dialog part.
TEST_F(Factory, ToolCarriesItsIdentityAndHistoryWhereTheHostReadsThem) {
  const CHostTool* made = host.tool();
  ASSERT_NE(nullptr, made);
  const auto word = [](const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); };
  const struct {
    const char* what;
    std::size_t offset;
    std::uintptr_t value;
  } members[] = {
      {"host services", 0, word(static_cast<IHostServices*>(&host.services()))},
      {"history count, after its data", 8, 3},
      {"host window", 20, word(static_cast<CWnd*>(&host.window()))},
      {"tool id", 32, 18},
      {"host value 1", 40, 1},
      {"host value 2", 44, 272},
      {"big bitmap", 48, word(made->m_hBitmap256)},
      {"small bitmap", 52, word(made->m_hBitmap16)},
      {"busy", 56, 0},
  };
  for (const auto& member : members) {
    EXPECT_EQ(member.value, ReadMember<std::uintptr_t>(made, sizeof(CDialog) + member.offset))
        << member.what;
  }
  // A CString is one pointer.
  EXPECT_STREQ("ToDoList", ReadMember<const char*>(made, sizeof(CDialog) + 36));
  EXPECT_STREQ("ToDoList", made->m_strName);
  EXPECT_EQ(nullptr, made->m_pThread);
  ASSERT_EQ(3, made->m_History.GetSize());
  for (int i = 0; i < 3; ++i) EXPECT_STREQ(todo::kHistory[i], made->m_History.GetAt(i));
}

TEST_F(Factory, ToolBitmapsAreLoadedInTheirSizesAndDepths) {
  for (HBITMAP bitmap : {host.tool()->m_hBitmap256, host.tool()->m_hBitmap16}) {
    BITMAP loaded = {};
    ASSERT_TRUE(GetObjectA(bitmap, sizeof(loaded), &loaded));
    EXPECT_EQ(32, loaded.bmWidth);
    EXPECT_EQ(32, loaded.bmHeight);
  }
}

class Operations : public ToolWindowTest {};

TEST_F(Operations, DisplayNameAndTemplateAreTheSameBeforeAndAfterInitialize) {
  for (bool open : {false, true}) {
    if (open) {
      ASSERT_NO_FATAL_FAILURE(Open());
    }
    EXPECT_STREQ("ToDoリスト", host.tool()->GetDisplayName());
    EXPECT_EQ(184u, host.tool()->GetTemplateId());
  }
}

TEST_F(Operations, SaveStateStoresNothingWithoutAWindowAndReportsNothingSaved) {
  EXPECT_EQ(0, host.tool()->SaveState());
  EXPECT_EQ(-1, host.log().IndexOf("write WndPosX"));
}

class Window : public ToolWindowTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open()); }
};

TEST_F(Window, InitializeMakesTheListFolderAndAFixedSizeWindowOnAnotherThread) {
  const DWORD attributes = GetFileAttributesA(ListFolder(host).c_str());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(tool, nullptr));
  EXPECT_EQ(nullptr, GetParent(tool));
  EXPECT_EQ("ToDoリスト", WindowText(tool));
  RECT client = {};
  GetClientRect(tool, &client);
  EXPECT_EQ(765, client.right);
  EXPECT_EQ(600, client.bottom);
  EXPECT_EQ(1, host.log().Count("ready 18"));
}

TEST_F(Window, SecondInitializeWhileOpenMakesNoSecondWindowAndItsThreadEndsWithMinusOne) {
  CWinThread* firstThread = host.tool()->m_pThread;
  host.tool()->Initialize();
  CWinThread* second = host.tool()->m_pThread;
  ASSERT_NE(firstThread, second);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second->m_hThread, 20000));
  DWORD code = 0;
  GetExitCodeThread(second->m_hThread, &code);
  EXPECT_EQ(0xFFFFFFFFu, code);
  PumpFor(200);
  EXPECT_EQ(tool, host.tool()->m_hWnd);
  EXPECT_TRUE(IsWindow(tool));
  EXPECT_EQ(1, CountWindowsTitled("ToDoリスト"));
  EXPECT_EQ(1, host.log().Count("ready 18"));
}

TEST_F(Window, EachActivationSendsOneNoticeAndDeactivationNone) {
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
  const struct {
    WORD code;
    int notices;
  } codes[] = {{WA_CLICKACTIVE, 1}, {WA_INACTIVE, 1}, {WA_ACTIVE, 2}};
  const int start = host.log().Count("activated 18");
  for (const auto& code : codes) {
    ::SendMessageA(tool, WM_ACTIVATE, MAKEWPARAM(code.code, 0), 0);
    EXPECT_EQ(start + code.notices, host.log().Count("activated 18")) << code.code;
  }
}

TEST_F(Window, ClosingIsReportedBeforeTheDestroyHandlingSaves) {
  ASSERT_TRUE(host.CloseTool());
  const int closing = host.log().IndexOf("closing 18");
  const int saved = host.log().IndexOf("write WndPosX");
  ASSERT_NE(-1, closing);
  ASSERT_NE(-1, saved);
  EXPECT_LT(closing, saved);
  EXPECT_EQ(1, host.log().Count("closing 18"));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(host.tool()->m_pThread->m_hThread, 20000));
}

TEST_F(Window, ClosedToolOpensAgainOnANewThread) {
  const DWORD firstThread = GetWindowThreadProcessId(tool, nullptr);
  ASSERT_TRUE(host.CloseTool());
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_NE(firstThread, GetWindowThreadProcessId(tool, nullptr));
  EXPECT_EQ(2, host.log().Count("ready 18"));
}

TEST_F(Window, DeletingTheToolWhileItsWindowIsOpenClosesTheWindowFirst) {
  host.DeleteTool();  // must not crash or leave the window to a deleted object
  EXPECT_FALSE(IsWindow(tool));
  EXPECT_EQ(1, host.log().Count("closing 18"));
  EXPECT_NE(-1, host.log().IndexOf("write WndPosX"));
}

TEST_F(Window, SettingsDialogRunsOnTheToolThreadWithTheBusyFlagSetOnlyWhileOpen) {
  ::PostMessageA(tool, WM_TOOL_SETTINGS, 0, 0);
  ASSERT_TRUE(PumpUntil([] { return CountWindowsTitled(kSettingsCaption) == 1; }));
  EXPECT_EQ(1, host.tool()->m_bBusy.load());
  // Asked again while open: still one dialog.
  ::PostMessageA(tool, WM_TOOL_SETTINGS, 0, 0);
  PumpFor(300);
  EXPECT_EQ(1, CountWindowsTitled(kSettingsCaption));
  EXPECT_EQ(1, host.tool()->m_bBusy.load());
  // Its one text and its one button.
  HWND dialog = FindWindowA(nullptr, kSettingsCaption);
  EXPECT_EQ("閉じる", WindowText(GetDlgItem(dialog, IDCANCEL)));
  HWND note = FindWindowExA(dialog, nullptr, "Static", nullptr);
  EXPECT_EQ("現在、ToDoリストに設定項目はありません。", WindowText(note));
  EXPECT_EQ(nullptr, FindWindowExA(dialog, note, "Static", nullptr));
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(PumpUntil([] { return CountWindowsTitled(kSettingsCaption) == 0; }));
  PumpFor(100);
  EXPECT_EQ(0, host.tool()->m_bBusy.load());
  EXPECT_TRUE(IsWindow(tool));
}

// The window opens where it was stored (a text that is no number places it at zero) and its
// place is stored when it closes; closed while minimised, its normal place.
TEST(Placement, WindowReopensWhereItWasStored) {
  const struct {
    const char* x;
    const char* y;
    LONG left;
    LONG top;
    bool minimise;
  } cases[] = {
      {"-40", "  25px", -40, 25, false}, {"left", "", 0, 0, false}, {"120", "-30", 120, -30, true}};
  FakeHost host;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    host.services().Set("18/WndPosX", c.x);
    host.services().Set("18/WndPosY", c.y);
    ASSERT_TRUE(host.OpenTool());
    HWND window = host.tool()->m_hWnd;
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(c.left, rect.left);
    EXPECT_EQ(c.top, rect.top);
    if (c.minimise) {
      ::ShowWindowAsync(window, SW_MINIMIZE);
      ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }));
    } else {
      ::MoveWindow(window, 70, -15, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
    ASSERT_TRUE(host.CloseTool());
    EXPECT_EQ(c.minimise ? "120" : "70", host.services().Get("18/WndPosX"));
    EXPECT_EQ(c.minimise ? "-30" : "-15", host.services().Get("18/WndPosY"));
  }
}

}  // namespace
}  // namespace todo_test
