// The tool window as a screen reader reads it from another thread: the date picker and the
// text box have names although the template gives them none, the two boxes are named after
// the group boxes that frame them, and nothing of this changes what the controls show.

#include <windows.h>

#include <oleacc.h>

#include <string>

#include "../../tools/accessible_reading.h"
#include "framework/fw_com.h"
#include "support/tool_window_test.h"

namespace todo_test {
namespace {

using namespace tool_window;

// The names the tool gives the two controls.
const wchar_t kDatePickerName[] = L"期限日";
const wchar_t kTextBoxName[] = L"新規入力";

using accessible::Child;

std::wstring NameOf(HWND hwnd) {
  const fw::ComPtr<IAccessible> object = accessible::OfWindow(hwnd);
  if (!object) return L"(no object)";
  return accessible::Name(object.Get(), CHILDID_SELF).value_or(L"(none)");
}

LONG RoleOf(HWND hwnd) {
  const fw::ComPtr<IAccessible> object = accessible::OfWindow(hwnd);
  return object ? accessible::Role(object.Get(), CHILDID_SELF).value_or(-1) : -1;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = L"";
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// The tool window open on its own thread, read from this one, which is a COM apartment of
// its own: every call to the window's objects crosses to the tool thread.
class ToolAccessNames : public ToolWindowTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open()); }
  void TearDown() override { host.CloseTool(); }  // while this thread is still an apartment

  fw::ComApartment apartment;
};

TEST_F(ToolAccessNames, DatePickerAndTextBoxAreNamedWhateverIsTypedOrShown) {
  HWND text = Control(kTextBox);
  HWND date = Control(kDatePicker);
  EXPECT_EQ(kDatePickerName, NameOf(date));
  EXPECT_EQ(kTextBoxName, NameOf(text));
  // The text typed is the box's value, not its name.
  SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"牛乳を買う"));
  EXPECT_EQ(kTextBoxName, NameOf(text));
  EXPECT_EQ(L"牛乳を買う", TextOf(text));
  // The rest is the standard object's answer, which still comes.
  EXPECT_NE(-1, RoleOf(text));
  EXPECT_NE(-1, RoleOf(date));
}

TEST_F(ToolAccessNames, BoxesAreNamedByTheirGroupBoxesCaptions) {
  const std::wstring listGroup = TextOf(Control(IDC_LIST_GROUP));
  ASSERT_FALSE(listGroup.empty());
  EXPECT_EQ(listGroup, NameOf(listBox));
  EXPECT_EQ(TextOf(Control(IDC_ITEM_GROUP)), NameOf(itemBox));
  EXPECT_EQ(ROLE_SYSTEM_LIST, RoleOf(listBox));
  EXPECT_EQ(ROLE_SYSTEM_LIST, RoleOf(itemBox));
}

// Naming must leave the controls as the template makes them: their texts, and the other
// controls' names (read from their window texts) unchanged.
TEST_F(ToolAccessNames, ControlsKeepTheirTextsAndOtherControlsTheirOwnNames) {
  EXPECT_EQ(L"", TextOf(Control(kTextBox)));
  EXPECT_EQ(TextOf(Control(kNoDateBox)), NameOf(Control(kNoDateBox)));
}

// The buttons' window texts only name the bitmaps they are drawn with: a screen reader reads
// each as a push button called by its command, the two mode buttons as checked or not as the
// mode goes, while the texts stay (the bitmaps are loaded by them).
TEST_F(ToolAccessNames, ButtonsAreReadAsPushButtonsByTheirCommandsNotByTheirBitmaps) {
  struct Button {
    int id;
    const wchar_t* name;
    const wchar_t* text;
    bool checkedInListMode;
    bool checkedInItemMode;
  };
  const Button buttons[] = {
      {kListModeButton, L"TODOﾘｽﾄ追加ﾓｰﾄﾞ", L"Todoﾘｽﾄ", true, false},
      {kItemModeButton, L"TODOｱｲﾃﾑ追加ﾓｰﾄﾞ", L"ｱｲﾃﾑ", false, true},
      {kAdd, L"ﾘｽﾄまたはｱｲﾃﾑを先頭に追加", L"BTN_TDL_REGIST", false, false},
      {kAddAtBottom, L"ﾘｽﾄまたはｱｲﾃﾑを末尾に追加", L"BTN_TDL_REGISTBOTTOM", false, false},
      {kMoveUp, L"選択されたﾘｽﾄまたはｱｲﾃﾑを１つ上へ移動", L"BTN_TDL_UP", false, false},
      {kMoveDown, L"選択されたﾘｽﾄまたはｱｲﾃﾑを１つ下へ移動", L"BTN_TDL_DOWN", false, false},
      {kDelete, L"選択されたﾘｽﾄまたはｱｲﾃﾑを削除", L"BTN_TDL_DELETE", false, false},
      {kClear, L"ﾘｽﾄまたはｱｲﾃﾑを全て削除", L"BTN_TDL_CLEAR", false, false},
  };
  const auto checked = [&](HWND control) {
    const fw::ComPtr<IAccessible> object = accessible::OfWindow(control);
    const auto state = object ? accessible::State(object.Get(), CHILDID_SELF) : std::nullopt;
    if (!state) return std::string("(no state)");
    return std::string((*state & STATE_SYSTEM_CHECKED) ? "checked" : "not checked");
  };
  const auto said = [](bool isChecked) {
    return std::string(isChecked ? "checked" : "not checked");
  };
  for (const Button& button : buttons) {
    HWND control = Control(button.id);
    EXPECT_EQ(button.name, NameOf(control)) << button.id;
    EXPECT_EQ(ROLE_SYSTEM_PUSHBUTTON, RoleOf(control)) << button.id;
    EXPECT_EQ(button.text, TextOf(control)) << button.id;
    EXPECT_EQ(said(button.checkedInListMode), checked(control)) << button.id;
  }
  ItemMode();
  for (const Button& button : buttons) {
    EXPECT_EQ(said(button.checkedInItemMode), checked(Control(button.id))) << button.id;
  }
}

// Held past the window, the host and this thread's apartment.
TEST(ToolAccessObjects, ObjectsHeldPastTheWindowAnswerWithoutCrashing) {
  fw::ComPtr<IAccessible> text;
  fw::ComPtr<IAccessible> items;
  {
    fw::ComApartment apartment;
    FakeHost host;
    ASSERT_TRUE(host.OpenTool());
    text = accessible::OfWindow(GetDlgItem(host.tool()->m_hWnd, kTextBox));
    items = accessible::OfWindow(BoxAt(host.tool()->m_hWnd, kItemBoxCorner));
    ASSERT_TRUE(text);
    ASSERT_TRUE(items);
    ASSERT_TRUE(host.CloseTool());
  }
  fw::UniqueBstr name;
  LONG count = 0;
  EXPECT_TRUE(FAILED(items->get_accChildCount(&count)));
  // The renamed text box object outlives its window too: it must answer, not crash.
  text->get_accName(Child(CHILDID_SELF), name.Out());
  fw::UniqueVariant role;
  text->get_accRole(Child(CHILDID_SELF), role.Out());
  text.Reset();
  items.Reset();
}

}  // namespace
}  // namespace todo_test
