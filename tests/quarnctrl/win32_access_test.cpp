// The boxes as a screen reader reads them, through the object the real window hands out: what
// the list and its items are called, what state they are in, where they lie, and that the
// object stays safe to call once its window is gone.

#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "win32_access_support.h"
#include "win32_box_fixture.h"

namespace {

using quarn_win32_test::AccessibleOf;
using quarn_win32_test::AccessiblePtr;
using quarn_win32_test::Child;
using quarn_win32_test::ChildCountOf;
using quarn_win32_test::DescriptionOf;
using quarn_win32_test::GroupBox;
using quarn_win32_test::HostWindow;
using quarn_win32_test::IdIn;
using quarn_win32_test::kNone;
using quarn_win32_test::kRowHeight;
using quarn_win32_test::NameOf;
using quarn_win32_test::RoleOf;
using quarn_win32_test::StateOf;
using quarn_win32_test::TestBox;
using quarn_win32_test::Wide;

const RECT kNamesRect{20, 30, 230, 250};
const RECT kItemsRect{260, 30, 680, 250};
const RECT kNamesGroup{10, 10, 240, 260};
const RECT kItemsGroup{250, 10, 690, 260};
const wchar_t kNamesCaption[] = L"ToDoリスト一覧";
const wchar_t kItemsCaption[] = L"アイテム一覧";
const char* const kItemTexts[] = {"牛乳を買う", "bread", "卵"};
const SYSTEMTIME kDue{2026, 12, 0, 8, 0, 0, 0, 0};

// Both boxes of the tool window, each in its group box, filled; COM is ready on this thread.
struct FramedBoxes {
  FramedBoxes()
      : namesGroup(host.Hwnd(), kNamesCaption, kNamesGroup),
        itemsGroup(host.Hwnd(), kItemsCaption, kItemsGroup),
        names(host.Hwnd(), "ToDoList", kNamesRect),
        items(host.Hwnd(), "ToDoItem", kItemsRect) {
    for (const char* name : {"家", "work"}) names.Names()->AddItem(nullptr, name, 0);
    const DWORD due = CQuarnListBox::ConvertToDateData(kDue);
    for (int i = 0; i < 3; ++i) items.Items()->AddItem(i == 1, kItemTexts[i], due);
  }
  fw::ComApartment apartment;
  HostWindow host;
  GroupBox namesGroup;
  GroupBox itemsGroup;
  TestBox names;
  TestBox items;
};

std::wstring DueAsShown() {
  wchar_t text[16];
  wsprintfW(text, L"%04u/%02u/%02u", kDue.wYear, kDue.wMonth, kDue.wDay);
  return text;
}

TEST(QuarnAccessTree, BoxesAreListsNamedAfterTheirGroupBoxWithAnItemPerRow) {
  FramedBoxes f;
  AccessiblePtr names = AccessibleOf(f.names.Hwnd());
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  ASSERT_TRUE(names);
  ASSERT_TRUE(items);
  EXPECT_EQ(ROLE_SYSTEM_LIST, RoleOf(names.Get(), CHILDID_SELF));
  EXPECT_EQ(ROLE_SYSTEM_LIST, RoleOf(items.Get(), CHILDID_SELF));
  EXPECT_EQ(kNamesCaption, NameOf(names.Get(), CHILDID_SELF));
  EXPECT_EQ(kItemsCaption, NameOf(items.Get(), CHILDID_SELF));
  ASSERT_EQ(f.names.Box()->GetCount(), ChildCountOf(names.Get()));
  ASSERT_EQ(f.items.Box()->GetCount(), ChildCountOf(items.Get()));
  for (int row = 0; row < f.items.Box()->GetCount(); ++row) {
    EXPECT_EQ(ROLE_SYSTEM_LISTITEM, RoleOf(items.Get(), row + 1));
    EXPECT_EQ(Wide(f.items.Box()->GetItemText(row)), NameOf(items.Get(), row + 1));
  }
  EXPECT_EQ(Wide(f.names.Box()->GetItemText(0)), NameOf(names.Get(), 1));
  // Ids past the rows name nothing, and rows are no objects of their own.
  EXPECT_EQ(-1, RoleOf(items.Get(), 4));
  BSTR text = nullptr;
  EXPECT_EQ(E_INVALIDARG, items->get_accName(Child(4), &text));
  EXPECT_EQ(nullptr, text);
  IDispatch* row = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(S_FALSE, items->get_accChild(Child(1), &row));
  EXPECT_EQ(nullptr, row);
  EXPECT_EQ(E_INVALIDARG, items->get_accChild(Child(9), &row));
}

TEST(QuarnAccessTree, NameComesFromTheInnermostGroupBoxThatHoldsTheBoxAndNoOtherWindow) {
  fw::ComApartment apartment;
  HostWindow host;
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  AccessiblePtr object = AccessibleOf(items.Hwnd());
  ASSERT_TRUE(object);
  EXPECT_EQ(kNone, NameOf(object.Get(), CHILDID_SELF));
  {
    // Overlapping the box without holding it, or a button that is no group box.
    GroupBox half(host.Hwnd(), L"half", RECT{250, 10, 500, 260});
    HWND button = CreateWindowExW(0, L"Button", L"push", WS_CHILD | WS_VISIBLE, 0, 0, 700, 300,
                                  host.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(kNone, NameOf(object.Get(), CHILDID_SELF));
    DestroyWindow(button);
  }
  GroupBox outer(host.Hwnd(), L"outer", RECT{0, 0, 700, 300});
  GroupBox inner(host.Hwnd(), L"&Inner && more", kItemsGroup);
  EXPECT_EQ(L"Inner & more", NameOf(object.Get(), CHILDID_SELF));
  ShowWindow(inner.Hwnd(), SW_HIDE);
  EXPECT_EQ(L"outer", NameOf(object.Get(), CHILDID_SELF));
}

TEST(QuarnAccessTree, ItemStatesFollowTheChecksTheSelectionAndTheFocus) {
  FramedBoxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  ASSERT_TRUE(items);
  const LONG always = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  for (LONG id = 1; id <= 3; ++id) {
    const LONG state = StateOf(items.Get(), id);
    EXPECT_EQ(always, state & always) << id;
    EXPECT_EQ(f.items.Box()->GetItemCheck(id - 1) != 0, (state & STATE_SYSTEM_CHECKED) != 0);
    EXPECT_EQ(0, state & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED)) << id;
  }
  f.items.Box()->SetCurSel(2);
  SetFocus(f.host.Hwnd());
  EXPECT_EQ(STATE_SYSTEM_SELECTED,
            StateOf(items.Get(), 3) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED));
  SetFocus(f.items.Hwnd());
  EXPECT_EQ(STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
            StateOf(items.Get(), 3) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED));
  EXPECT_EQ(0, StateOf(items.Get(), 1) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED));
  EXPECT_NE(0, StateOf(items.Get(), CHILDID_SELF) & STATE_SYSTEM_FOCUSED);
  // The names box has no checks, whatever its rows' check word holds.
  AccessiblePtr names = AccessibleOf(f.names.Hwnd());
  EXPECT_EQ(0, StateOf(names.Get(), 1) & STATE_SYSTEM_CHECKED);
}

TEST(QuarnAccessTree, RowsScrolledOutOfViewAreOffscreen) {
  FramedBoxes f;
  for (int i = 0; i < 40; ++i) f.items.Items()->AddItem(0, "more", 0);
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  EXPECT_EQ(0, StateOf(items.Get(), 1) & STATE_SYSTEM_OFFSCREEN);
  EXPECT_NE(0, StateOf(items.Get(), 40) & STATE_SYSTEM_OFFSCREEN);
  f.items.Box()->SetCurSel(39);
  f.items.Box()->RefreshCtrl();
  EXPECT_NE(0, StateOf(items.Get(), 1) & STATE_SYSTEM_OFFSCREEN);
  EXPECT_EQ(0, StateOf(items.Get(), 40) & STATE_SYSTEM_OFFSCREEN);
}

TEST(QuarnAccessTree, DescriptionIsTheDueDateAsShownAndNoneWhileDatesAreHidden) {
  FramedBoxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  AccessiblePtr names = AccessibleOf(f.names.Hwnd());
  EXPECT_EQ(DueAsShown(), DescriptionOf(items.Get(), 1));
  EXPECT_EQ(kNone, DescriptionOf(items.Get(), CHILDID_SELF));
  EXPECT_EQ(kNone, DescriptionOf(names.Get(), 1));
  f.items.Items()->AddItem(0, "no day", 0);
  EXPECT_EQ(kNone, DescriptionOf(items.Get(), 4));
  // A no-date list: the text column pushes the dates out of view.
  f.items.Box()->SetColumnWidth(QUARN_COLUMN_TEXT, QUARN_WIDTH_HIDING_DATES);
  EXPECT_EQ(kNone, DescriptionOf(items.Get(), 1));
  f.items.Box()->SetColumnWidth(QUARN_COLUMN_TEXT, quarn_win32_test::kTextWidth);
  EXPECT_EQ(DueAsShown(), DescriptionOf(items.Get(), 1));
}

TEST(QuarnAccessTree, LocationHitTestAndNavigationAgreeOnTheRows) {
  FramedBoxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  for (LONG id = 1; id <= 3; ++id) {
    LONG left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(S_OK, items->accLocation(&left, &top, &width, &height, Child(id)));
    EXPECT_EQ(kRowHeight, height);
    POINT centre = f.items.CellCentre(id - 1);
    ClientToScreen(f.items.Hwnd(), &centre);
    EXPECT_TRUE(centre.y >= top && centre.y < top + height) << id;
    fw::UniqueVariant hit;
    ASSERT_EQ(S_OK, items->accHitTest(centre.x, centre.y, hit.Out()));
    EXPECT_EQ(id, IdIn(hit.Get()));
  }
  POINT header{5, 5};  // the header row: the list itself
  ClientToScreen(f.items.Hwnd(), &header);
  fw::UniqueVariant hit;
  items->accHitTest(header.x, header.y, hit.Out());
  EXPECT_EQ(CHILDID_SELF, IdIn(hit.Get()));
  EXPECT_EQ(S_FALSE, items->accHitTest(0, 0, hit.Out()));  // outside the box
  EXPECT_EQ(-1, IdIn(hit.Get()));

  auto step = [&](LONG direction, LONG from) {
    fw::UniqueVariant end;
    items->accNavigate(direction, Child(from), end.Out());
    return IdIn(end.Get());
  };
  EXPECT_EQ(1, step(NAVDIR_FIRSTCHILD, CHILDID_SELF));
  EXPECT_EQ(3, step(NAVDIR_LASTCHILD, CHILDID_SELF));
  EXPECT_EQ(3, step(NAVDIR_NEXT, 2));
  EXPECT_EQ(-1, step(NAVDIR_NEXT, 3));
  EXPECT_EQ(1, step(NAVDIR_PREVIOUS, 2));
  EXPECT_EQ(-1, step(NAVDIR_UP, 1));
}

TEST(QuarnAccessTree, ParentIsTheWindowsOwnObject) {
  FramedBoxes f;
  AccessiblePtr items = AccessibleOf(f.items.Hwnd());
  fw::ComPtr<IDispatch> parent;
  ASSERT_EQ(S_OK, items->get_accParent(parent.Out()));
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
  destroyed->Items()->AddItem(1, "done", 0);
  parentGone->Names()->AddItem(nullptr, "list", 0);
  AccessiblePtr first = AccessibleOf(destroyed->Hwnd());
  AccessiblePtr second = AccessibleOf(parentGone->Hwnd());
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  destroyed->Box()->DestroyCtrl();
  destroyed.reset();          // the box object itself goes too
  DestroyWindow(own.Hwnd());  // the second box's window goes with its parent
  parentGone->Names()->AddItem(nullptr, "after", 0);
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

}  // namespace
