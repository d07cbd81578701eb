#include "support/tool_window_test.h"

#include "support/message_pump.h"

namespace todo_test {

using namespace tool_window;

void ToolWindowTest::Open() {
  ASSERT_TRUE(host.OpenTool());
  tool = host.tool()->m_hWnd;
  listBox = BoxAt(tool, kListBoxCorner);
  itemBox = BoxAt(tool, kItemBoxCorner);
  ASSERT_NE(nullptr, listBox);
  ASSERT_NE(nullptr, itemBox);
}

void ToolWindowTest::Type(const char* text) {
  ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ToolWindowTest::Press(int id) {
  ::SendMessageA(Control(id), BM_CLICK, 0, 0);
}

void ToolWindowTest::SelectList(int row) {
  Click(listBox, 10, RowMiddle(true, row));
}

void ToolWindowTest::SelectItem(int row) {
  Click(itemBox, kTextX, RowMiddle(false, row));
}

void ToolWindowTest::Activate() {
  SetForegroundWindow(tool);
  ASSERT_TRUE(PumpUntil([&] { return FocusOfThread(tool) == Control(kTextBox); }));
}

void ToolWindowTest::Focus(HWND control) {
  ::PostMessageA(tool, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  ASSERT_TRUE(PumpUntil([&] { return FocusOfThread(tool) == control; }));
}

HWND ToolWindowTest::WaitForBox(DWORD timeoutMs) {
  HWND box = nullptr;
  PumpUntil([&] { return (box = ToolMessageBox(tool)) != nullptr; }, timeoutMs);
  return box;
}

HWND ToolWindowTest::PressAndWaitForBox(int id) {
  // Posted: the click's handler does not return before the box is answered.
  ::PostMessageA(Control(id), BM_CLICK, 0, 0);
  return WaitForBox();
}

std::string ToolWindowTest::Answer(int answer) {
  HWND box = WaitForBox();
  if (box == nullptr) return "<no message box>";
  EXPECT_EQ(1, host.tool()->m_bBusy.load()) << "busy while the box is open";
  const std::string text = MessageBoxText(box);
  EXPECT_TRUE(AnswerBox(box, answer)) << "the box goes when answered";
  EXPECT_TRUE(PumpUntil([&] { return host.tool()->m_bBusy.load() == 0; }))
      << "idle once the box is answered";
  // The command that asked goes on after its box; a message sent to the window is taken only
  // once it has ended.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(tool, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  return text;
}

std::string ToolWindowTest::PressAndAnswer(int id, int answer) {
  ::PostMessageA(Control(id), BM_CLICK, 0, 0);
  return Answer(answer);
}

bool ToolWindowTest::HostCloses() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(tool, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
  return PumpUntil([&] { return host.tool()->m_hWnd == nullptr; });
}

void ToolWindowTest::WriteListFolder(
    std::initializer_list<std::pair<std::string, std::string>> files) {
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  for (const auto& file : files) WriteFile(Path(file.first), file.second);
}

std::string ToolWindowTest::Path(const std::string& fileName) const {
  return ListFolder(host) + "\\" + fileName;
}

std::string ToolWindowTest::File(const std::string& fileName) const {
  return ReadFile(Path(fileName));
}

}  // namespace todo_test
