// In-place editing in the real window: a click on the selected row of a focused box opens an
// editor over the cell once the double-click time has passed; Enter or losing the focus
// stores, Esc gives up, and the box reports it with its events.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win32_box_fixture.h"

namespace quarn_win32_test {
namespace {

TEST(QuarnWindowNameEdit, EnterOffersTheNewNameWhileTheRowShowsTheOldOne) {
  for (int answer : {1, 0}) {
    SCOPED_TRACE(answer);
    Boxes f;
    std::string seenEditText, seenRowText;
    f.names.Log().answers[QUARN_EVENT_NAMEEDITED] = answer;
    f.names.Log().onEvent = [&](int event) {
      if (event != QUARN_EVENT_NAMEEDITED) return;
      char buffer[256] = {};
      f.names.Box()->GetEditText(buffer, 254);
      seenEditText = buffer;
      seenRowText = f.names.Box()->GetItemText(1);
    };
    HWND editor = f.names.OpenEditor(1);
    ASSERT_NE(nullptr, editor) << "no editor appeared";
    EXPECT_EQ("work", WindowText(editor));
    EXPECT_EQ(editor, GetFocus());
    DWORD start = 0, end = 0;
    SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);  // all of it selected, ready to be typed over
    EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(editor, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

    TypeInto(editor, "office");
    PressIn(editor, VK_RETURN);
    EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12}));
    EXPECT_EQ("office", seenEditText);
    EXPECT_EQ("work", seenRowText);
    EXPECT_STREQ(answer == 1 ? "office" : "work", f.names.Box()->GetItemText(1));
    // The focus is back in the box, and coming back raised no event 1.
    EXPECT_EQ(f.names.Hwnd(), GetFocus());
    EXPECT_FALSE(IsWindow(editor));
  }
}

TEST(QuarnWindowNameEdit, EscOrAnEmptyTextGiveTheEditUp) {
  Boxes f;
  HWND editor = f.names.OpenEditor(0);
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "changed");
  PressIn(editor, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(editor));
  editor = f.names.OpenEditor(0);
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "");
  PressIn(editor, VK_RETURN);
  EXPECT_EQ(f.names.Log().events, (Events{1, 11}));
  EXPECT_STREQ("家", f.names.Box()->GetItemText(0));
  EXPECT_EQ(f.names.Hwnd(), GetFocus());
}

TEST(QuarnWindowNameEdit, NoEditOnADoubleClickOrAFirstClickOrWhenNotEditable) {
  Boxes f;
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
  Boxes f;
  HWND editor = f.names.OpenEditor(0);
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "house");
  f.names.Click(2);
  EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12, 1, 8, 9}));
  EXPECT_STREQ("house", f.names.Box()->GetItemText(0));
  EXPECT_EQ(2, f.names.Box()->GetCurSel());
  EXPECT_FALSE(IsWindow(editor));
}

TEST(QuarnWindowNameEdit, FocusLeavingStoresAndLongTextsAreCutAtACharacterBoundary) {
  Boxes f;
  // One byte and 127 double-byte characters: 255 bytes, and byte 254 is a lead byte.
  std::string longName = "x";
  for (int i = 0; i < 127; ++i) longName += "\x82\xA0";
  const int row = PutRow(f.names.Box(), longName.c_str());
  HWND editor = f.names.OpenEditor(row);
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ(longName.substr(0, 253), WindowText(editor));
  // Typing more than the limit in double-byte characters keeps at most 254 bytes, whole
  // characters only, so what the editor shows is what gets stored.
  std::string typed;
  for (int i = 0; i < 200; ++i) typed += "\x82\xA2";
  SendMessageA(editor, EM_SETSEL, 0, -1);
  SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
  EXPECT_EQ(typed.substr(0, 254), WindowText(editor));
  TypeInto(editor, "\x82\xA0 moved");
  SetFocus(f.host.Hwnd());  // the user goes elsewhere
  EXPECT_EQ(f.names.Log().events, (Events{1, 11, 12}));
  EXPECT_STREQ("\x82\xA0 moved", f.names.Box()->GetItemText(row));
  EXPECT_EQ(f.host.Hwnd(), GetFocus());  // the box did not take the focus back
}

TEST(QuarnWindowNameEdit, DestroyingTheBoxWithAnOpenEditorGivesTheEditUp) {
  Boxes f;
  HWND editor = f.names.OpenEditor(1);
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
  PutRow(names.Box(), "only");
  HWND editor = names.OpenEditor(0);
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "renamed");
  host.reset();
  EXPECT_FALSE(IsWindow(names.Hwnd()));
  EXPECT_EQ(names.Log().events, (Events{1, 11, 12}));
  EXPECT_STREQ("renamed", names.Box()->GetItemText(0));
  // The box outlives its window.
  PutRow(names.Box(), "later");
  names.Box()->RefreshCtrl();
  EXPECT_EQ(2, names.Box()->GetCount());
}

TEST(QuarnWindowItemEdit, TextEditIsStoredThenReported) {
  Boxes f;
  HWND editor = f.items.OpenEditor(1, QUARN_COLUMN_TEXT);
  ASSERT_NE(nullptr, editor);
  EXPECT_EQ("bread", WindowText(editor));
  TypeInto(editor, "rye bread");
  PressIn(editor, VK_RETURN);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_STREQ("rye bread", f.items.Box()->GetItemText(1));
  EXPECT_EQ(f.items.Hwnd(), GetFocus());
}

TEST(QuarnWindowItemEdit, CheckCellTogglesAtOnceAndReportsIt) {
  Boxes f;
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
  Boxes f;
  HWND picker = f.items.OpenEditor(0, QUARN_COLUMN_DATE);
  ASSERT_NE(nullptr, picker);
  EXPECT_EQ("2026/12/08", Ymd(PickerDate(picker)));
  EXPECT_EQ(DLGC_WANTALLKEYS, SendMessageA(picker, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

  SYSTEMTIME picked{2027, 2, 0, 28, 0, 0, 0, 0};
  SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
  PressIn(picker, VK_RETURN);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11, 13}));
  EXPECT_EQ(CQuarnListBox::ConvertToDateData(picked), f.items.Box()->GetItemDate(0));
  EXPECT_EQ(f.items.Box()->GetItemDate(0), f.items.Box()->GetItemData(0));
  EXPECT_FALSE(IsWindow(picker));
  EXPECT_EQ(f.items.Hwnd(), GetFocus());
}

TEST(QuarnWindowItemEdit, CalendarDropDownKeepsTheEditAndAPickInItStoresTheDate) {
  Boxes f;
  HWND picker = f.items.OpenEditor(1, QUARN_COLUMN_DATE);
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
  SYSTEMTIME picked{2027, 3, 0, 15, 0, 0, 0, 0};
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
  Boxes f;
  PutRow(f.items.Box(), "no date", 0);
  HWND picker = f.items.OpenEditor(0, QUARN_COLUMN_DATE);
  ASSERT_NE(nullptr, picker);
  SYSTEMTIME today{};
  GetLocalTime(&today);
  // A word that is no day starts at today.
  EXPECT_EQ(Ymd(today).substr(0, 7), Ymd(PickerDate(picker)).substr(0, 7));
  PressIn(picker, VK_ESCAPE);
  EXPECT_EQ(f.items.Log().events, (Events{1, 11}));
  EXPECT_EQ(0u, f.items.Box()->GetItemDate(0));
  EXPECT_FALSE(IsWindow(picker));
}

TEST(QuarnWindowItemEdit, ProgramChangesUnderAnOpenEditorGiveTheEditUp) {
  Boxes f;
  HWND editor = f.items.OpenEditor(1, QUARN_COLUMN_TEXT);
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "lost");
  PutRow(f.items.Box(), "new first", 0, 0, kDay);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(f.items.Log().events, (Events{1, 11}));
  EXPECT_STREQ("bread", f.items.Box()->GetItemText(2));
}

}  // namespace
}  // namespace quarn_win32_test
