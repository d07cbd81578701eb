// The boxes as a screen reader reads them, through the object the real window hands out: what
// the list and its items are called, what state they are in, where they lie, that the object
// stays safe to call once its window is gone; and, following the user, the focus and the
// selection, the win events that tell of every change, and the default action, which must do
// what a click does and raise the same events to the owner.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "win32_access_support.h"
#include "win32_box_fixture.h"

namespace quarn_win32_test {
namespace {

using WinEvents = std::vector<WinEvent>;

const RECT kNamesGroup{5, 0, 235, 235};
const RECT kItemsGroup{235, 0, 685, 235};
const wchar_t kNamesCaption[] = L"ToDoリスト一覧";
const wchar_t kItemsCaption[] = L"アイテム一覧";

struct WithCom {
  fw::ComApartment apartment;
};

// Both boxes, each in its group box as in the tool window; COM is ready on this thread.
struct FramedBoxes : WithCom, Boxes {
  FramedBoxes()
      : namesGroup(host.Hwnd(), kNamesCaption, kNamesGroup),
        itemsGroup(host.Hwnd(), kItemsCaption, kItemsGroup),
        namesObject(AccessibleOf(names.Hwnd())),
        itemsObject(AccessibleOf(items.Hwnd())) {}
  IAccessible* Names() const { return namesObject.Get(); }
  IAccessible* Items() const { return itemsObject.Get(); }
  LONG ItemCount() const { return items.Box()->GetCount(); }
  GroupBox namesGroup;
  GroupBox itemsGroup;
  AccessiblePtr namesObject;
  AccessiblePtr itemsObject;
};

WinEvent On(DWORD event, LONG child) {
  return WinEvent{event, OBJID_CLIENT, child};
}

// The child id an answer of `get` names (see IdIn).
template <typename Get>
LONG IdAnswered(Get get) {
  fw::UniqueVariant answer;
  get(answer.Out());
  return IdIn(answer.Get());
}

std::wstring DueAsShown() {
  SYSTEMTIME due;
  CQuarnListBox::ConvertToSysTime(kDay, &due);
  return Wide(Ymd(due).c_str());
}

TEST(QuarnAccessTree, BoxesAreListsNamedAfterTheirGroupBoxWithAnItemPerRow) {
  FramedBoxes f;
  ASSERT_TRUE(f.namesObject);
  ASSERT_TRUE(f.itemsObject);
  const struct {
    IAccessible* object;
    const TestBox& box;
    const wchar_t* caption;
  } boxes[] = {{f.Names(), f.names, kNamesCaption}, {f.Items(), f.items, kItemsCaption}};
  for (const auto& b : boxes) {
    SCOPED_TRACE(testing::Message() << b.caption);
    EXPECT_EQ(ROLE_SYSTEM_LIST, RoleOf(b.object, CHILDID_SELF));
    EXPECT_EQ(b.caption, NameOf(b.object, CHILDID_SELF));
    ASSERT_EQ(b.box.Box()->GetCount(), ChildCountOf(b.object));
    for (int row = 0; row < b.box.Box()->GetCount(); ++row) {
      EXPECT_EQ(ROLE_SYSTEM_LISTITEM, RoleOf(b.object, row + 1));
      EXPECT_EQ(Wide(b.box.Box()->GetItemText(row)), NameOf(b.object, row + 1));
    }
  }
  // Ids past the rows name nothing, and rows are no objects of their own.
  const LONG past = f.ItemCount() + 1;
  EXPECT_EQ(-1, RoleOf(f.Items(), past));
  BSTR text = nullptr;
  EXPECT_EQ(E_INVALIDARG, f.Items()->get_accName(Child(past), &text));
  EXPECT_EQ(nullptr, text);
  IDispatch* row = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(S_FALSE, f.Items()->get_accChild(Child(1), &row));
  EXPECT_EQ(nullptr, row);
  EXPECT_EQ(E_INVALIDARG, f.Items()->get_accChild(Child(9), &row));
}

TEST(QuarnAccessTree, NameComesFromTheInnermostGroupBoxThatHoldsTheBoxAndNoOtherWindow) {
  fw::ComApartment apartment;
  Boxes f;
  AccessiblePtr object = AccessibleOf(f.items.Hwnd());
  ASSERT_TRUE(object);
  EXPECT_EQ(kNone, NameOf(object.Get(), CHILDID_SELF));
  {
    // Overlapping the box without holding it, or a button that is no group box.
    GroupBox half(f.host.Hwnd(), L"half", RECT{235, 5, 500, 260});
    HWND button = CreateWindowExW(0, L"Button", L"push", WS_CHILD | WS_VISIBLE, 0, 0, 700, 300,
                                  f.host.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(kNone, NameOf(object.Get(), CHILDID_SELF));
    DestroyWindow(button);
  }
  GroupBox outer(f.host.Hwnd(), L"outer", RECT{0, 0, 700, 300});
  GroupBox inner(f.host.Hwnd(), L"&Inner && more", kItemsGroup);
  EXPECT_EQ(L"Inner & more", NameOf(object.Get(), CHILDID_SELF));
  ShowWindow(inner.Hwnd(), SW_HIDE);
  EXPECT_EQ(L"outer", NameOf(object.Get(), CHILDID_SELF));
}

TEST(QuarnAccessTree, ItemStatesFollowTheChecksTheSelectionAndTheFocus) {
  FramedBoxes f;
  PutRow(f.items.Box(), "done", 1, 1, kDay);
  const LONG always = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  const LONG selectedAndFocused = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
  for (LONG id = 1; id <= f.ItemCount(); ++id) {
    SCOPED_TRACE(id);
    const LONG state = StateOf(f.Items(), id);
    EXPECT_EQ(always, state & always);
    EXPECT_EQ(f.items.Box()->GetItemCheck(id - 1) != 0, (state & STATE_SYSTEM_CHECKED) != 0);
    EXPECT_EQ(0, state & selectedAndFocused);
  }
  f.items.Box()->SetCurSel(2);
  SetFocus(f.host.Hwnd());
  EXPECT_EQ(STATE_SYSTEM_SELECTED, StateOf(f.Items(), 3) & selectedAndFocused);
  SetFocus(f.items.Hwnd());
  EXPECT_EQ(selectedAndFocused, StateOf(f.Items(), 3) & selectedAndFocused);
  EXPECT_EQ(0, StateOf(f.Items(), 1) & selectedAndFocused);
  EXPECT_NE(0, StateOf(f.Items(), CHILDID_SELF) & STATE_SYSTEM_FOCUSED);
  // The names box has no checks, whatever its rows' check word holds.
  EXPECT_EQ(0, StateOf(f.Names(), 1) & STATE_SYSTEM_CHECKED);
}

TEST(QuarnAccessTree, RowsScrolledOutOfViewAreOffscreen) {
  FramedBoxes f;
  for (int i = 0; i < 40; ++i) PutRow(f.items.Box(), "more");
  EXPECT_EQ(0, StateOf(f.Items(), 1) & STATE_SYSTEM_OFFSCREEN);
  EXPECT_NE(0, StateOf(f.Items(), 40) & STATE_SYSTEM_OFFSCREEN);
  f.items.Box()->SetCurSel(39);
  f.items.Box()->RefreshCtrl();
  EXPECT_NE(0, StateOf(f.Items(), 1) & STATE_SYSTEM_OFFSCREEN);
  EXPECT_EQ(0, StateOf(f.Items(), 40) & STATE_SYSTEM_OFFSCREEN);
}

TEST(QuarnAccessTree, DescriptionIsTheDueDateAsShownAndNoneWhileDatesAreHidden) {
  FramedBoxes f;
  EXPECT_EQ(DueAsShown(), DescriptionOf(f.Items(), 1));
  EXPECT_EQ(kNone, DescriptionOf(f.Items(), CHILDID_SELF));
  EXPECT_EQ(kNone, DescriptionOf(f.Names(), 1));
  PutRow(f.items.Box(), "no day");
  EXPECT_EQ(kNone, DescriptionOf(f.Items(), f.ItemCount()));
  // A no-date list: the text column pushes the dates out of view.
  f.items.Box()->SetColumnWidth(QUARN_COLUMN_TEXT, QUARN_WIDTH_HIDING_DATES);
  EXPECT_EQ(kNone, DescriptionOf(f.Items(), 1));
  f.items.Box()->SetColumnWidth(QUARN_COLUMN_TEXT, kTextWidth);
  EXPECT_EQ(DueAsShown(), DescriptionOf(f.Items(), 1));
}

TEST(QuarnAccessTree, LocationHitTestAndNavigationAgreeOnTheRows) {
  FramedBoxes f;
  IAccessible* items = f.Items();
  for (LONG id = 1; id <= f.ItemCount(); ++id) {
    SCOPED_TRACE(id);
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, items->accLocation(&left, &top, &width, &height, Child(id)));
    EXPECT_EQ(kRowHeight, height);
    POINT centre = f.items.CellCentre(id - 1);
    ClientToScreen(f.items.Hwnd(), &centre);
    EXPECT_TRUE(centre.y >= top && centre.y < top + height);
    EXPECT_EQ(id, IdAnswered([&](VARIANT* hit) {
                EXPECT_EQ(S_OK, items->accHitTest(centre.x, centre.y, hit));
              }));
  }
  POINT header{5, 5};  // the header row: the list itself
  ClientToScreen(f.items.Hwnd(), &header);
  EXPECT_EQ(CHILDID_SELF,
            IdAnswered([&](VARIANT* hit) { items->accHitTest(header.x, header.y, hit); }));
  EXPECT_EQ(-1, IdAnswered([&](VARIANT* hit) {  // outside the box
    EXPECT_EQ(S_FALSE, items->accHitTest(0, 0, hit));
  }));

  const LONG last = f.ItemCount();
  const struct {
    LONG direction, from, to;
  } steps[] = {{NAVDIR_FIRSTCHILD, CHILDID_SELF, 1},
               {NAVDIR_LASTCHILD, CHILDID_SELF, last},
               {NAVDIR_NEXT, 2, 3},
               {NAVDIR_NEXT, last, -1},
               {NAVDIR_PREVIOUS, 2, 1},
               {NAVDIR_UP, 1, -1}};
  for (const auto& s : steps) {
    EXPECT_EQ(s.to, IdAnswered(
                        [&](VARIANT* end) { items->accNavigate(s.direction, Child(s.from), end); }))
        << "direction " << s.direction << " from " << s.from;
  }
}

TEST(QuarnAccessTree, ParentIsTheWindowsOwnObject) {
  FramedBoxes f;
  fw::ComPtr<IDispatch> parent;
  ASSERT_EQ(S_OK, f.Items()->get_accParent(parent.Out()));
  ASSERT_TRUE(parent);
  AccessiblePtr window;
  ASSERT_EQ(S_OK, parent->QueryInterface(IID_IAccessible, window.OutVoid()));
  // It is the object of the box's own window, not of its parent or of the client area.
  HWND found = nullptr;
  ASSERT_EQ(S_OK, WindowFromAccessibleObject(window.Get(), &found));
  EXPECT_EQ(f.items.Hwnd(), found);
  EXPECT_NE(ROLE_SYSTEM_LIST, RoleOf(window.Get(), CHILDID_SELF));
}

// A screen reader may hold the object long after the box is gone.
TEST(QuarnAccessLifetime, ObjectAnswersDisconnectedOnceItsWindowIsGone) {
  fw::ComApartment apartment;
  HostWindow own(HostWindow::kOwn);
  auto destroyed = std::make_unique<TestBox>(own.Hwnd(), "ToDoItem", kItemsRect);
  auto parentGone = std::make_unique<TestBox>(own.Hwnd(), "ToDoList", kNamesRect);
  PutRow(destroyed->Box(), "done", -1, 1);
  PutRow(parentGone->Box(), "list");
  AccessiblePtr first = AccessibleOf(destroyed->Hwnd());
  AccessiblePtr second = AccessibleOf(parentGone->Hwnd());
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  destroyed->Box()->DestroyCtrl();
  destroyed.reset();          // the box object itself goes too
  DestroyWindow(own.Hwnd());  // the second box's window goes with its parent
  PutRow(parentGone->Box(), "after");
  for (IAccessible* object : {first.Get(), second.Get()}) {
    LONG count = 7;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accChildCount(&count));
    EXPECT_EQ(0, count);
    BSTR text = nullptr;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accName(Child(1), &text));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accDescription(Child(1), &text));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accDefaultAction(Child(1), &text));
    fw::UniqueVariant answer;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accRole(Child(1), answer.Out()));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accState(Child(1), answer.Out()));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accFocus(answer.Out()));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accSelection(answer.Out()));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->accHitTest(30, 40, answer.Out()));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->accNavigate(NAVDIR_NEXT, Child(1), answer.Out()));
    LONG left, top, width, height;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->accLocation(&left, &top, &width, &height, Child(1)));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->accDoDefaultAction(Child(1)));
    fw::ComPtr<IDispatch> parent;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accParent(parent.Out()));
  }
  parentGone.reset();
  // The last references go after everything they pointed at.
  first.Reset();
  second.Reset();
}

TEST(QuarnAccessUser, FocusAndSelectionFollowClicksAndKeys) {
  FramedBoxes f;
  IAccessible* items = f.Items();
  auto selection = [&] { return IdAnswered([&](VARIANT* v) { items->get_accSelection(v); }); };
  auto focus = [&] { return IdAnswered([&](VARIANT* v) { items->get_accFocus(v); }); };
  EXPECT_EQ(-1, selection());
  EXPECT_EQ(-1, focus());  // the focus is elsewhere
  f.items.Click(1);
  EXPECT_EQ(2, selection());
  EXPECT_EQ(2, focus());
  f.items.Key(VK_DOWN);
  EXPECT_EQ(3, selection());
  EXPECT_EQ(3, focus());
  f.names.Click(0);
  EXPECT_EQ(3, selection());
  EXPECT_EQ(-1, focus());
  f.items.Box()->SetCurSel(-1);
  SetFocus(f.items.Hwnd());
  EXPECT_EQ(CHILDID_SELF, focus());  // the list itself, no row selected
}

TEST(QuarnAccessEvents, FocusAndSelectionEventsNameTheRowTheUserMovedTo) {
  FramedBoxes f;
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
  FramedBoxes f;
  WinEventLog log(f.items.Hwnd());
  ASSERT_TRUE(log.Hooked());
  PutRow(f.items.Box(), "jam");
  PutRow(f.items.Box(), "salt", 0);
  f.items.Box()->DeleteItem(2);
  EXPECT_TRUE(log.WaitFor(
      {On(EVENT_OBJECT_CREATE, 6), On(EVENT_OBJECT_CREATE, 1), On(EVENT_OBJECT_DESTROY, 3)}));
  f.items.SelectAndFocus(0);
  log.Forget();
  f.items.Click(0, QUARN_COLUMN_CHECK);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_STATECHANGE, 1)}));
  f.items.Click(0, QUARN_COLUMN_TEXT);
  HWND editor = f.items.WaitForEditor("Edit");
  ASSERT_NE(nullptr, editor);
  TypeInto(editor, "rock salt");
  PressIn(editor, VK_RETURN);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_NAMECHANGE, 1)}));
  // The focus comes back from the editor to the row.
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_FOCUS, 1)}));
  log.Forget();
  f.items.Box()->ResetContent();
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_REORDER, CHILDID_SELF)}));
  // One event for the whole reset, none per row.
  for (const WinEvent& event : log.Settle()) EXPECT_NE(EVENT_OBJECT_DESTROY, event.event);
}

// Asks for child `id`'s default action, then handles messages until `done`.
template <typename Done>
bool DoDefaultAction(IAccessible* object, LONG id, Done done) {
  return object->accDoDefaultAction(Child(id)) == S_OK && todo_test::PumpUntil(done, 5000);
}

TEST(QuarnAccessAction, DefaultActionTogglesTheCheckWithTheEventsOfAClickOnIt) {
  FramedBoxes f;
  WinEventLog log(f.items.Hwnd());
  // The events a real click on the check of the selected row raises, to compare with.
  f.items.SelectAndFocus(0);
  f.items.Click(0, QUARN_COLUMN_CHECK);
  const Events clicked = f.items.Log().events;
  ASSERT_EQ(1, f.items.Box()->GetItemCheck(0));
  f.items.SelectAndFocus(2);
  EXPECT_EQ(L"チェックする", DefaultActionOf(f.Items(), 3));
  EXPECT_EQ(L"チェックを外す", DefaultActionOf(f.Items(), 1));
  log.Forget();
  ASSERT_TRUE(DoDefaultAction(f.Items(), 3, [&] { return f.items.Box()->GetItemCheck(2) != 0; }));
  EXPECT_EQ(clicked, f.items.Log().events);
  EXPECT_NE(0, StateOf(f.Items(), 3) & STATE_SYSTEM_CHECKED);
  EXPECT_TRUE(log.WaitFor({On(EVENT_OBJECT_STATECHANGE, 3)}));
  // And back.
  EXPECT_TRUE(DoDefaultAction(f.Items(), 3, [&] { return f.items.Box()->GetItemCheck(2) == 0; }));
}

TEST(QuarnAccessAction, DefaultActionOnAnotherRowSelectsItAsAClickWouldFirst) {
  FramedBoxes f;
  // The list-name box: the action is the click that selects.
  f.names.SelectAndFocus(0);
  f.names.Click(2);
  const Events clicked = f.names.Log().events;
  f.names.SelectAndFocus(0);
  EXPECT_EQ(L"選択する", DefaultActionOf(f.Names(), 3));
  ASSERT_TRUE(DoDefaultAction(f.Names(), 3, [&] { return f.names.Box()->GetCurSel() == 2; }));
  EXPECT_EQ(clicked, f.names.Log().events);
  // The item box: selected as by a click (the owner is asked), then toggled.
  f.items.SelectAndFocus(0);
  ASSERT_TRUE(DoDefaultAction(f.Items(), 4, [&] { return f.items.Box()->GetItemCheck(3) != 0; }));
  EXPECT_EQ(3, f.items.Box()->GetCurSel());
  EXPECT_EQ(f.items.Log().events, (Events{1, 8, 9, 11, 13}));
  // A selection the owner refuses: nothing toggles.
  f.items.SelectAndFocus(0);
  f.items.Log().answers[QUARN_EVENT_SELCHANGING] = 0;
  ASSERT_EQ(S_OK, f.Items()->accDoDefaultAction(Child(2)));
  todo_test::PumpFor(300);
  EXPECT_EQ(0, f.items.Box()->GetCurSel());
  EXPECT_EQ(0, f.items.Box()->GetItemCheck(1));
}

TEST(QuarnAccessAction, ActionAskedForBeforeRowsChangedIsDroppedNotDoneOnAnotherRow) {
  FramedBoxes f;
  f.items.SelectAndFocus(1);
  ASSERT_EQ(S_OK, f.Items()->accDoDefaultAction(Child(2)));
  f.items.Box()->DeleteItem(0);  // before the window handled the request
  todo_test::PumpFor(300);
  for (int row = 0; row < f.items.Box()->GetCount(); ++row) {
    EXPECT_EQ(0, f.items.Box()->GetItemCheck(row)) << row;
  }
  EXPECT_TRUE(f.items.Log().events.empty());
  // Not editable: the action selects and toggles nothing.
  f.items.Box()->SetEditable(0);
  EXPECT_EQ(L"選択する", DefaultActionOf(f.Items(), 1));
  EXPECT_EQ(kNone, DefaultActionOf(f.Items(), CHILDID_SELF));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, f.Items()->accDoDefaultAction(Child(CHILDID_SELF)));
  EXPECT_EQ(E_INVALIDARG, f.Items()->accDoDefaultAction(Child(9)));
}

}  // namespace
}  // namespace quarn_win32_test
