// The tool window as the user sees it: its size and controls, the keyboard filter, the
// tooltips, the item-count line, and what opening and closing it many times costs.

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

class ToolWindow : public ToolWindowTest {};

TEST_F(ToolWindow, ClientAreaIsFixedAndEveryControlSitsAtItsRectangle) {
  ASSERT_NO_FATAL_FAILURE(Open());
  RECT client;
  GetClientRect(tool, &client);
  EXPECT_EQ(765, client.right);
  EXPECT_EQ(600, client.bottom);
  EXPECT_EQ(0, GetWindowLongA(tool, GWL_STYLE) & WS_THICKFRAME) << "no sizing border";
  struct Place {
    int id;
    RECT rect;  // left, top, width, height
  };
  const Place places[] = {
      {kListModeButton, {15, 15, 35, 20}},   {kItemModeButton, {50, 15, 35, 20}},
      {kTextBox, {15, 40, 240, 30}},         {kDatePicker, {165, 15, 90, 18}},
      {kNoDateBox, {95, 15, 65, 18}},        {kAdd, {15, 80, 32, 32}},
      {kAddAtBottom, {52, 80, 32, 32}},      {kMoveUp, {89, 80, 32, 32}},
      {kMoveDown, {126, 80, 32, 32}},        {kDelete, {163, 80, 32, 32}},
      {kClear, {200, 80, 32, 32}},           {IDC_LIST_GROUP, {15, 122, 240, 450}},
      {IDC_ITEM_GROUP, {270, 20, 480, 540}},
  };
  for (const Place& place : places) {
    const RECT rect = ClientRectOf(Control(place.id));
    EXPECT_EQ(place.rect.left, rect.left) << place.id;
    EXPECT_EQ(place.rect.top, rect.top) << place.id;
    EXPECT_EQ(place.rect.right, rect.right - rect.left) << place.id;
    EXPECT_EQ(place.rect.bottom, rect.bottom - rect.top) << place.id;
  }
  // The boxes, found at their corners, by where they end.
  EXPECT_EQ(245, ClientRectOf(listBox).right);
  EXPECT_EQ(562, ClientRectOf(listBox).bottom);
  EXPECT_EQ(740, ClientRectOf(itemBox).right);
  EXPECT_EQ(550, ClientRectOf(itemBox).bottom);
}

TEST_F(ToolWindow, ItemCountLineShowsTheCountOfTheSelectedList) {
  WriteListFolder({{"ListInfo.dat", "two\r\n"}, {"two.lst", "0,2026,12,8,a\r\n0,2026,12,8,b\r\n"}});
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(ExpectedItemCountPixels(0), ItemCountPixels(tool));
  SelectList(0);
  EXPECT_EQ(ExpectedItemCountPixels(2), ItemCountPixels(tool));
}

// Enter in the text box must act as Tab there: moving on, never adding an entry.
TEST_F(ToolWindow, EnterInTheTextBoxMovesTheFocusAndAddsNothing) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_TRUE(PumpUntil([&] { return FocusOfThread(tool) == Control(kTextBox); }));
  ::SetWindowTextA(Control(kTextBox), "not added");
  ::PostMessageA(Control(kTextBox), WM_KEYDOWN, VK_RETURN, 1);
  ::PostMessageA(Control(kTextBox), WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_TRUE(PumpUntil([&] { return FocusOfThread(tool) == Control(kDatePicker); }));
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ("", File("ListInfo.dat"));
  EXPECT_EQ("<missing>", File("not added.lst"));
}

// The hint of the tool that is the whole window of `control`, or "<none>".
std::string ToolTipOf(HWND toolTip, HWND tool, HWND control) {
  char text[256] = "";
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = tool;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  if (!::SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) {
    return "<none>";
  }
  ::SendMessageA(toolTip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST_F(ToolWindow, ButtonsCarryTheirHintsAndTheAddButtonsNone) {
  ASSERT_NO_FATAL_FAILURE(Open());
  const std::vector<HWND> tips = ThreadWindowsOf(GetWindowThreadProcessId(tool, nullptr));
  const auto found = std::find_if(tips.begin(), tips.end(), [&](HWND window) {
    return ClassOf(window) == TOOLTIPS_CLASSA && GetWindow(window, GW_OWNER) == tool;
  });
  ASSERT_NE(tips.end(), found);
  const HWND toolTip = *found;
  EXPECT_EQ(1000, ::SendMessageA(toolTip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
  const std::pair<int, std::string> hints[] = {
      {kListModeButton, "TODOﾘｽﾄ追加ﾓｰﾄﾞ"},
      {kItemModeButton, "TODOｱｲﾃﾑ追加ﾓｰﾄﾞ"},
      {kMoveUp, "選択されたﾘｽﾄまたはｱｲﾃﾑを１つ上へ移動"},
      {kMoveDown, "選択されたﾘｽﾄまたはｱｲﾃﾑを１つ下へ移動"},
      {kDelete, "選択されたﾘｽﾄまたはｱｲﾃﾑを削除"},
      {kClear, "ﾘｽﾄまたはｱｲﾃﾑを全て削除"},
      {kAdd, "<none>"},
      {kAddAtBottom, "<none>"},
  };
  for (const auto& hint : hints) {
    EXPECT_EQ(hint.second, ToolTipOf(toolTip, tool, Control(hint.first))) << hint.first;
  }
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// Windows of this process, top-level and children.
int ProcessWindows() {
  int count = 0;
  for (HWND window : TopWindowsOf(GetCurrentProcessId(), [](HWND) { return true; })) {
    ++count;
    EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

int ProcessThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// Every open and close must give back what it took: windows, the boxes, the tool thread, and
// (where the system counts them; Wine answers 0) GDI and user objects.
TEST_F(ToolWindow, OpeningAndClosingManyTimesLeaksNoWindowsThreadsOrObjects) {
  auto cycle = [&] {
    ASSERT_TRUE(host.OpenTool());
    ASSERT_TRUE(host.CloseTool());
    ASSERT_TRUE(PumpUntil([&] {
      return host.tool()->m_pThread == nullptr ||
             WaitForSingleObject(host.tool()->m_pThread->m_hThread, 0) == WAIT_OBJECT_0;
    }));
  };
  cycle();
  const int windowsBefore = ProcessWindows();
  const int threadsBefore = ProcessThreads();
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 6; ++i) cycle();
  EXPECT_EQ(windowsBefore, ProcessWindows());
  EXPECT_EQ(threadsBefore, ProcessThreads());
  EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  EXPECT_EQ(userBefore, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
}

// The host saves from its own thread while the user changes lists on the tool thread.
TEST_F(ToolWindow, SaveStateFromTheHostDuringUserActivityKeepsEveryFileWhole) {
  const std::string a = "0,2026,12,8,a1\r\n0,2026,12,9,a2\r\n";
  const std::string b = "NO_DATE\r\n1,2026,1,1,b1\r\n";
  WriteListFolder({{"ListInfo.dat", "a\r\nb\r\n"}, {"a.lst", a}, {"b.lst", b}});
  ASSERT_NO_FATAL_FAILURE(Open());
  std::atomic<bool> done{false};
  std::thread user([&] {
    for (int i = 0; i < 60; ++i) SelectList(i % 2);
    done = true;
  });
  int saves = 0;
  while (!done) {
    host.tool()->SaveState();
    ++saves;
    PumpFor(1);
  }
  user.join();
  EXPECT_GT(saves, 5);
  ASSERT_TRUE(host.CloseTool());
  EXPECT_EQ(a, File("a.lst"));
  EXPECT_EQ(b, File("b.lst"));
}

}  // namespace
}  // namespace todo_test
