// In-place editing in the real window: a click on the selected row of a focused box opens an
// editor over the cell once the double-click time has passed; Enter or losing the focus
// stores, Esc gives up, and the box reports it with its events.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32_box_fixture.h"

namespace {

using quarn_win32_test::HostWindow;
using quarn_win32_test::TestBox;
using quarn_win32_test::WindowText;
using Events = std::vector<int>;

using quarn_win32_test::kItemsRect;
using quarn_win32_test::kNamesRect;
constexpr DWORD kDate = 0x07EA0C08;  // 2026-12-08

struct NameBoxes {
  NameBoxes() : names(host.Hwnd(), "ToDoList", kNamesRect) {
    for (const char* name : {"home", "work", "shop"}) names.Names()->AddItem(nullptr, name, 0);
  }
  HostWindow host;
  TestBox names;
};

struct ItemBoxes {
  ItemBoxes() : items(host.Hwnd(), "ToDoItem", kItemsRect) {
    for (const char* text : {"milk", "bread", "eggs"}) items.Items()->AddItem(0, text, kDate);
  }
  HostWindow host;
  TestBox items;
};

// What event 12's handler saw through GetEditText and in the row.
struct NameEditSeen {
  std::string editText;
  std::string rowText;
};

HWND OpenNameEditor(NameBoxes& f, int row) {
  f.names.SelectAndFocus(row);
  f.names.Click(row);
  return f.names.WaitForEditor("Edit");
}

TEST(QuarnWindowNameEdit, EnterOffersTheNewNameWhileTheRowShowsTheOldOne) {
  for (int answer : {1, 0}) {
    NameBoxes f;
    NameEditSeen seen;
    f.names.Log().answers[QUARN_EVENT_NAMEEDITED] = answer;
    f.names.Log().onEvent = [&](int event) {
      if (event != QUARN_EVENT_NAMEEDITED) return;
      char buffer[256] = {};
      f.names.Box()->GetEditText(buffer, 254);
      seen.editText = buffer;
      seen.rowText = f.names.Box()->GetItemText(1);
    };
    HWND editor = OpenNameEditor(f, 1);
    ASSERT_NE(nullptr, editor) << "no editor appeared";
    EXPECT_EQ("work", WindowText(editor));
    EXPECT_EQ(editor, GetFocus());
    DWORD start = 0, end = 0;
    SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);  // all of it selected, ready to be typed over
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(editor, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

    SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("office"));
    SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12})) << "answer " << answer;
    EXPECT_EQ("office", seen.editText);
    EXPECT_EQ("work", seen.rowText);
    EXPECT_STREQ(answer == 1 ? "office" : "work", f.names.Box()->GetItemText(1));
    // The focus is back in the box, and coming back raised no event 1.
    EXPECT_EQ(f.names.Hwnd(), GetFocus());
    EXPECT_FALSE(IsWindow(editor));
  }
}

TEST(QuarnWindowNameEdit, EscOrAnEmptyTextGiveTheEditUp) {
  NameBoxes f;
  HWND editor = OpenNameEditor(f, 0);
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed"));
  SendMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(IsWindow(editor));
  editor = OpenNameEditor(f, 0);
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(f.names.Log().events, (Events{1, 11}));
  EXPECT_STREQ("home", f.names.Box()->GetItemText(0));
  EXPECT_EQ(f.names.Hwnd(), GetFocus());
}

TEST(QuarnWindowNameEdit, NoEditOnADoubleClickOrAFirstClickOrWhenNotEditable) {
  NameBoxes f;
  f.names.SelectAndFocus(2);
  f.names.DoubleClick(2);
  todo_test::PumpFor(GetDoubleClickTime() * 2);
  EXPECT_EQ(nullptr, f.names.Editor("Edit"));
  SetFocus(f.host.Hwnd());
  f.names.Click(2);  // the box did not have the focus: this click only activates it
  f.names.Box()->SetEditable(0);
  f.names.Click(2);
  f.names.Key(VK_F2);
  todo_test::PumpFor(GetDoubleClickTime() * 2);
  EXPECT_EQ(nullptr, f.names.Editor("Edit"));
  EXPECT_EQ(f.names.Log().events, (Events{1, 1, 1, 1}));
}

TEST(QuarnWindowNameEdit, ClickingAnotherRowEndsTheEditBeforeTheSelectionMoves) {
  NameBoxes f;
  HWND editor = OpenNameEditor(f, 0);
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("house"));
  f.names.Click(2);
  EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12, 1, 8, 9}));
  EXPECT_STREQ("house", f.names.Box()->GetItemText(0));
  EXPECT_EQ(2, f.names.Box()->GetCurSel());
  EXPECT_FALSE(IsWindow(editor));
}

TEST(QuarnWindowNameEdit, FocusLeavingStoresAndLongTextsAreCutAtACharacterBoundary) {
  NameBoxes f;
  // One byte and 127 double-byte characters: 255 bytes, and byte 254 is a lead byte.
  std::string longName = "x";
  for (int i = 0; i < 127; ++i) longName += "\x82\xA0";
  f.names.Names()->AddItem(nullptr, longName.c_str(), 0);
  HWND editor = OpenNameEditor(f, 3);
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ(longName.substr(0, 253), WindowText(editor));
  // Typing more than the limit in double-byte characters keeps at most 254 bytes, whole
  // characters only, so what the editor shows is what gets stored.
  std::string typed;
  for (int i = 0; i < 200; ++i) typed += "\x82\xA2";
  SendMessageA(editor, EM_SETSEL, 0, -1);
  SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
  EXPECT_EQ(typed.substr(0, 254), WindowText(editor));
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\x82\xA0 moved"));
  SetFocus(f.host.Hwnd());  // the user goes elsewhere
  EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12}));
  EXPECT_STREQ("\x82\xA0 moved", f.names.Box()->GetItemText(3));
  EXPECT_EQ(f.host.Hwnd(), GetFocus());  // the box did not take the focus back
}

TEST(QuarnWindowNameEdit, DestroyingTheBoxWithAnOpenEditorGivesTheEditUp) {
  NameBoxes f;
  HWND editor = OpenNameEditor(f, 1);
  ASSERT_NE(nullptr, editor);
  f.names.Box()->DestroyCtrl();
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_FALSE(IsWindow(f.names.Hwnd()));
  EXPECT_EQ(f.names.Log().events, (Events{1, 11}));
  EXPECT_STREQ("work", f.names.Box()->GetItemText(1));
}

TEST(QuarnWindowNameEdit, ParentClosedUnderAnOpenEditorStoresItAsLosingTheFocusDoes) {
  auto host = std::make_unique<HostWindow>(HostWindow::kOwn);
  TestBox names(host->Hwnd(), "ToDoList", kNamesRect);
  names.Names()->AddItem(nullptr, "only", 0);
  names.SelectAndFocus(0);
  names.Click(0);
  HWND editor = names.WaitForEditor("Edit");
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
  host.reset();
  EXPECT_FALSE(IsWindow(names.Hwnd()));
  EXPECT_EQ(names.Log().events, (Events{1, 11, 12}));
  EXPECT_STREQ("renamed", names.Box()->GetItemText(0));
  // The box outlives its window.
  names.Names()->AddItem(nullptr, "later", 0);
  names.Box()->RefreshCtrl();
  EXPECT_EQ(2, names.Box()->GetCount());
}

TEST(QuarnWindowItemEdit, TextEditIsStoredThenReported) {
  ItemBoxes f;
  f.items.SelectAndFocus(1);
  f.items.Click(1, QUARN_COLUMN_TEXT);
  HWND editor = f.items.WaitForEditor("Edit");
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("bread", WindowText(editor));
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("rye bread"));
  SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_STREQ("rye bread", f.items.Box()->GetItemText(1));
  EXPECT_EQ(f.items.Hwnd(), GetFocus());
}

TEST(QuarnWindowItemEdit, CheckCellTogglesAtOnceAndReportsIt) {
  ItemBoxes f;
  f.items.SelectAndFocus(2);
  f.items.Click(2, QUARN_COLUMN_CHECK);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_EQ(1, f.items.Box()->GetItemCheck(2));
  f.items.Key(VK_SPACE);
  EXPECT_EQ(0, f.items.Box()->GetItemCheck(2));
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13, 11, 13}));
  todo_test::PumpFor(GetDoubleClickTime() * 2);
  EXPECT_EQ(nullptr, f.items.Editor("Edit"));
}

TEST(QuarnWindowItemEdit, PickedDateBecomesTheRowsPackedDate) {
  ItemBoxes f;
  f.items.SelectAndFocus(0);
  f.items.Click(0, QUARN_COLUMN_DATE);
  HWND picker = f.items.WaitForEditor("SysDateTimePick32");
  ASSERT_NE(nullptr, picker);
  SYSTEMTIME shown{};
  ASSERT_EQ(GDT_VALID,
            SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)));
  EXPECT_EQ(2026, shown.wYear);
  EXPECT_EQ(12, shown.wMonth);
  EXPECT_EQ(8, shown.wDay);
  EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(picker, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

  SYSTEMTIME picked{};
  picked.wYear = 2027;
  picked.wMonth = 2;
  picked.wDay = 28;
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
  SendMessageA(picker, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_EQ(CQuarnListBox::ConvertToDateData(picked), f.items.Box()->GetItemDate(0));
  EXPECT_EQ(f.items.Box()->GetItemDate(0), f.items.Box()->GetItemData(0));
  EXPECT_FALSE(IsWindow(picker));
  EXPECT_EQ(f.items.Hwnd(), GetFocus());
}

TEST(QuarnWindowItemEdit, CalendarDropDownKeepsTheEditAndAPickInItStoresTheDate) {
  ItemBoxes f;
  f.items.SelectAndFocus(1);
  f.items.Click(1, QUARN_COLUMN_DATE);
  HWND picker = f.items.WaitForEditor("SysDateTimePick32");
  ASSERT_NE(nullptr, picker);
  RECT area{};
  GetClientRect(picker, &area);
  LPARAM button = MAKELPARAM(area.right - 5, area.bottom / 2);
  auto toggleCalendar = [&] {
    SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageA(picker, WM_LBUTTONUP, 0, button);
    todo_test::PumpFor(100);
  };
  toggleCalendar();
  auto calendar = reinterpret_cast<HWND>(SendMessageA(picker, DTM_GETMONTHCAL, 0, 0));
  ASSERT_NE(nullptr, calendar);
  ASSERT_TRUE(IsWindowVisible(calendar));
  EXPECT_TRUE(IsWindow(picker)) << "the focus going into the calendar ended the edit";
  toggleCalendar();  // closed again without a pick: still editing
  EXPECT_TRUE(IsWindow(picker));
  EXPECT_EQ(f.items.Log().events, (Events{1, 11}));

  toggleCalendar();
  SYSTEMTIME picked{};
  picked.wYear = 2027;
  picked.wMonth = 3;
  picked.wDay = 15;
  SendMessageA(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
  NMSELCHANGE select{};
  select.nmhdr.hwndFrom = calendar;
  select.nmhdr.code = MCN_SELECT;
  select.stSelStart = picked;
  select.stSelEnd = picked;
  SendMessageA(picker, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&select));
  todo_test::PumpUntil([&] { return !IsWindow(picker); }, 2000);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_EQ(CQuarnListBox::ConvertToDateData(picked), f.items.Box()->GetItemDate(1));
  EXPECT_FALSE(IsWindow(picker));
}

TEST(QuarnWindowItemEdit, DateEditGivenUpOrStartedOnANonDateKeepsTheWord) {
  ItemBoxes f;
  f.items.Items()->InsertItem(0, 0, "no date", 0);
  f.items.SelectAndFocus(0);
  f.items.Click(0, QUARN_COLUMN_DATE);
  HWND picker = f.items.WaitForEditor("SysDateTimePick32");
  ASSERT_NE(nullptr, picker);
  SYSTEMTIME shown{};
  SYSTEMTIME today{};
  GetLocalTime(&today);
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(today.wYear, shown.wYear);  // a word that is no day starts at today
  EXPECT_EQ(today.wMonth, shown.wMonth);
  SendMessageA(picker, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11}));
  EXPECT_EQ(0u, f.items.Box()->GetItemDate(0));
  EXPECT_FALSE(IsWindow(picker));
}

TEST(QuarnWindowItemEdit, ProgramChangesUnderAnOpenEditorGiveTheEditUp) {
  ItemBoxes f;
  f.items.SelectAndFocus(1);
  f.items.Click(1, QUARN_COLUMN_TEXT);
  HWND editor = f.items.WaitForEditor("Edit");
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("lost"));
  f.items.Items()->InsertItem(0, 0, "new first", kDate);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(f.items.Log().events, (Events{1, 11}));
  EXPECT_STREQ("bread", f.items.Box()->GetItemText(2));
}

}  // namespace
