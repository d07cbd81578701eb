// A screen reader following the user in the real window: the focus and the selection as clicks
// and keys move them, the win events that tell of every change, and the default action, which
// must do what a click does and raise the same events to the owner.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

#include "support/message_pump.h"
#include "win32_access_support.h"
#include "win32_box_fixture.h"

namespace {

using quarn_win32_test::AccessibleOf;
using quarn_win32_test::AccessiblePtr;
using quarn_win32_test::Child;
using quarn_win32_test::DefaultActionOf;
using quarn_win32_test::HostWindow;
using quarn_win32_test::IdIn;
using quarn_win32_test::kNone;
using quarn_win32_test::StateOf;
using quarn_win32_test::TestBox;
using quarn_win32_test::WinEvent;
using quarn_win32_test::WinEventLog;
using Events = std::vector<int>;
using WinEvents = std::vector<WinEvent>;

using quarn_win32_test::kItemsRect;
using quarn_win32_test::kNamesRect;

struct Boxes {
  Boxes() : names(host.Hwnd(), "ToDoList", kNamesRect), items(host.Hwnd(), "ToDoItem", kItemsRect) {
    for (const char* name : {"home", "work", "shop"}) names.Names()->AddItem(nullptr, name, 0);
    for (const char* text : {"milk", "bread", "eggs", "tea"}) items.Items()->AddItem(0, text, 0);
  }
  fw::ComApartment apartment;
  HostWindow host;
  TestBox names;
  TestBox items;
};

WinEvent On(DWORD event, LONG child) {
  return WinEvent{event, OBJID_CLIENT, child};
}

LONG FocusOf(IAccessible* object) {
  fw::UniqueVariant focus;
  object->get_accFocus(focus.Out());
  return IdIn(focus.Get());
}

LONG SelectionOf(IAccessible* object) {
  fw::UniqueVariant selection;
  object->get_accSelection(selection.Out());
  return IdIn(selection.Get());
}

TEST(QuarnAccessUser, FocusAndSelectionFollowClicksAndKeys) {
  Boxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  ASSERT_TRUE(items);
  EXPECT_EQ(-1, SelectionOf(items.Get()));
  EXPECT_EQ(-1, FocusOf(items.Get()));  // the focus is elsewhere
  f.items.Click(1);
  EXPECT_EQ(2, SelectionOf(items.Get()));
  EXPECT_EQ(2, FocusOf(items.Get()));
  f.items.Key(VK_DOWN);
  EXPECT_EQ(3, SelectionOf(items.Get()));
  EXPECT_EQ(3, FocusOf(items.Get()));
  f.names.Click(0);
  EXPECT_EQ(3, SelectionOf(items.Get()));
  EXPECT_EQ(-1, FocusOf(items.Get()));
  f.items.Box()->SetCurSel(-1);
  SetFocus(f.items.Hwnd());
  EXPECT_EQ(CHILDID_SELF, FocusOf(items.Get()));  // the list itself, no row selected
}

TEST(QuarnAccessEvents, FocusAndSelectionEventsNameTheRowTheUserMovedTo) {
  Boxes f;
  WinEventLog log(f.items.Hwnd());
  ASSERT_TRUE(log.Hooked());
  f.items.Box()->SetCurSel(1);
  SetFocus(f.items.Hwnd());
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_SELECTION, 2), On(EVENT_OBJECT_FOCUS, 2)}));
  log.Forget();
  f.items.Click(3);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_SELECTION, 4), On(EVENT_OBJECT_FOCUS, 4)}));
  log.Forget();
  f.items.Key(VK_HOME);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_SELECTION, 1), On(EVENT_OBJECT_FOCUS, 1)}));
  // A selection moved while the focus is elsewhere is no focus event.
  SetFocus(f.host.Hwnd());
  log.Settle();
  log.Forget();
  f.items.Box()->SetCurSel(2);
  EXPECT_EQ(log.Settle(), (WinEvents{On(EVENT_OBJECT_SELECTION, 3)}));
}

TEST(QuarnAccessEvents, RowsAddedRemovedResetAndStoredEditsAreTold) {
  Boxes f;
  WinEventLog log(f.items.Hwnd());
  ASSERT_TRUE(log.Hooked());
  f.items.Items()->AddItem(0, "jam", 0);
  f.items.Items()->InsertItem(0, 0, "salt", 0);
  f.items.Box()->DeleteItem(2);
  EXPECT_TRUE(log.WaitFor(
      {On(EVENT_OBJECT_CREATE, 5), On(EVENT_OBJECT_CREATE, 1), On(EVENT_OBJECT_DESTROY, 3)}));
  f.items.SelectAndFocus(0);
  log.Forget();
  f.items.Click(0, QUARN_COLUMN_CHECK);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_STATECHANGE, 1)}));
  f.items.Click(0, QUARN_COLUMN_TEXT);
  HWND editor = f.items.WaitForEditor("Edit");
  ASSERT_NE(nullptr, editor);
  SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("rock salt"));
  SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_NAMECHANGE, 1)}));
  // The focus comes back from the editor to the row.
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_FOCUS, 1)}));
  log.Forget();
  f.items.Box()->ResetContent();
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_REORDER, CHILDID_SELF)}));
  // One event for the whole reset, none per row.
  for (const WinEvent& event : log.Settle()) EXPECT_NE(EVENT_OBJECT_DESTROY, event.event);
}

// The events a real click on the check of the selected row raises, to compare with.
Events EventsOfAClickOnTheCheck(TestBox& items, int row) {
  items.SelectAndFocus(row);
  items.Click(row, QUARN_COLUMN_CHECK);
  Events seen = items.Log().events;
  items.ForgetEvents();
  return seen;
}

TEST(QuarnAccessAction, DefaultActionTogglesTheCheckWithTheEventsOfAClickOnIt) {
  Boxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  WinEventLog log(f.items.Hwnd());
  const Events clicked = EventsOfAClickOnTheCheck(f.items, 0);
  ASSERT_EQ(1, f.items.Box()->GetItemCheck(0));
  f.items.SelectAndFocus(2);
  EXPECT_EQ(L"チェックする", DefaultActionOf(items.Get(), 3));
  EXPECT_EQ(L"チェックを外す", DefaultActionOf(items.Get(), 1));
  log.Forget();
  ASSERT_EQ(S_OK, items->accDoDefaultAction(Child(3)));
  ASSERT_TRUE(todo_test::PumpUntil([&] { return f.items.Box()->GetItemCheck(2) != 0; }, 5000));
  EXPECT_EQ(clicked, f.items.Log().events);
  EXPECT_NE(0, StateOf(items.Get(), 3) & STATE_SYSTEM_CHECKED);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_STATECHANGE, 3)}));
  // And back.
  ASSERT_EQ(S_OK, items->accDoDefaultAction(Child(3)));
  EXPECT_TRUE(todo_test::PumpUntil([&] { return f.items.Box()->GetItemCheck(2) == 0; }, 5000));
}

TEST(QuarnAccessAction, DefaultActionOnAnotherRowSelectsItAsAClickWouldFirst) {
  Boxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  AccessiblePtr names = AccessibleOf(f.names.Hwnd());
  // The list-name box: the action is the click that selects.
  f.names.SelectAndFocus(0);
  f.names.Click(2);
  const Events clicked = f.names.Log().events;
  f.names.SelectAndFocus(0);
  EXPECT_EQ(L"選択する", DefaultActionOf(names.Get(), 3));
  ASSERT_EQ(S_OK, names->accDoDefaultAction(Child(3)));
  ASSERT_TRUE(todo_test::PumpUntil([&] { return f.names.Box()->GetCurSel() == 2; }, 5000));
  EXPECT_EQ(clicked, f.names.Log().events);
  // The item box: selected as by a click (the owner is asked), then toggled.
  f.items.SelectAndFocus(0);
  ASSERT_EQ(S_OK, items->accDoDefaultAction(Child(4)));
  ASSERT_TRUE(todo_test::PumpUntil([&] { return f.items.Box()->GetItemCheck(3) != 0; }, 5000));
  EXPECT_EQ(3, f.items.Box()->GetCurSel());
  EXPECT_EQ(f.items.Log().events, (Events{1, 8, 9, 11, 13}));
  // A selection the owner refuses: nothing toggles.
  f.items.SelectAndFocus(0);
  f.items.Log().answers[QUARN_EVENT_SELCHANGING] = 0;
  ASSERT_EQ(S_OK, items->accDoDefaultAction(Child(2)));
  todo_test::PumpFor(300);
  EXPECT_EQ(0, f.items.Box()->GetCurSel());
  EXPECT_EQ(0, f.items.Box()->GetItemCheck(1));
}

TEST(QuarnAccessAction, ActionAskedForBeforeRowsChangedIsDroppedNotDoneOnAnotherRow) {
  Boxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  f.items.SelectAndFocus(1);
  ASSERT_EQ(S_OK, items->accDoDefaultAction(Child(2)));
  f.items.Box()->DeleteItem(0);  // before the window handled the request
  todo_test::PumpFor(300);
  for (int row = 0; row < f.items.Box()->GetCount(); ++row) {
    EXPECT_EQ(0, f.items.Box()->GetItemCheck(row)) << row;
  }
  EXPECT_TRUE(f.items.Log().events.empty());
  // Not editable: the action selects and toggles nothing.
  f.items.Box()->SetEditable(0);
  EXPECT_EQ(L"選択する", DefaultActionOf(items.Get(), 1));
  EXPECT_EQ(kNone, DefaultActionOf(items.Get(), CHILDID_SELF));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, items->accDoDefaultAction(Child(CHILDID_SELF)));
  EXPECT_EQ(E_INVALIDARG, items->accDoDefaultAction(Child(9)));
}

}  // namespace
