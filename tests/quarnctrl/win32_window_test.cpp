// The boxes' real window under Wine: made by the factory, selected with the mouse and the
// keyboard, activated by the focus, and scrolled.

#include <windows.h>

#include <gtest/gtest.h>

#include "win32_box_fixture.h"

namespace quarn_win32_test {
namespace {

TEST(QuarnWindowFactory, NamesMakeVisibleChildrenAtTheRectAndOthersNothing) {
  HostWindow host;
  RECT rect = kItemsRect;
  EXPECT_EQ(nullptr, CQuarnListBox::NewQuarnCtrl(host.Hwnd(), "ToDoOther", &rect, 0));
  EXPECT_EQ(nullptr, CQuarnListBox::NewQuarnCtrl(host.Hwnd(), nullptr, &rect, 0));
  EXPECT_EQ(nullptr, CQuarnListBox::NewQuarnCtrl(host.Hwnd(), "ToDoList", nullptr, 0));
  EXPECT_EQ(nullptr, CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", &rect, 0));
  EXPECT_EQ(nullptr,
            CQuarnListBox::NewQuarnCtrl(reinterpret_cast<HWND>(0x1234), "ToDoItem", &rect, 0));
  EXPECT_EQ(nullptr, FindWindowExA(host.Hwnd(), nullptr, "QuarnListCtrl", nullptr));

  Boxes f;
  ASSERT_NE(nullptr, dynamic_cast<CQuarnImageListBox*>(f.names.Box()));
  ASSERT_NE(nullptr, dynamic_cast<CQuarnToDoListBox*>(f.items.Box()));
  for (const TestBox* box : {&f.names, &f.items}) {
    HWND hwnd = box->Hwnd();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(host.Hwnd(), GetParent(hwnd));
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(IsWindowVisible(hwnd));
  }
  RECT placed{};
  GetWindowRect(f.items.Hwnd(), &placed);
  MapWindowPoints(nullptr, host.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(kItemsRect.left, placed.left);
  EXPECT_EQ(kItemsRect.top, placed.top);
  EXPECT_EQ(kItemsRect.right, placed.right);
  EXPECT_EQ(kItemsRect.bottom, placed.bottom);

  f.names.Box()->DestroyCtrl();
  EXPECT_FALSE(IsWindow(f.names.Hwnd()));
  // The object outlives its window: calls change rows and paint nothing.
  EXPECT_EQ(5, PutRow(f.names.Box(), "after"));
  f.names.Box()->RefreshCtrl();
  EXPECT_EQ(6, f.names.Box()->GetCount());
}

TEST(QuarnWindowSelect, ClickRaisesActivateThenLeaveWithTheOldRowThenArrive) {
  Boxes f;
  for (TestBox* box : {&f.names, &f.items}) {
    box->SelectAndFocus(1);
    ASSERT_EQ(1, box->Box()->GetCurSel());
    box->Click(3);  // the item box's row 3 lies below its header row
    EXPECT_EQ(box->Log().events, (Events{1, 8, 9}));
    EXPECT_EQ(box->Log().selectionSeen, (Events{1, 1, 3}));
    EXPECT_EQ(3, box->Box()->GetCurSel());
    EXPECT_EQ(box->Hwnd(), GetFocus());
  }
}

TEST(QuarnWindowSelect, VetoedLeaveKeepsTheRowAndHeaderOrEmptySpaceSelectNothing) {
  Boxes f;
  f.items.Refill(3);
  f.items.SelectAndFocus(0);
  f.items.Log().answers[QUARN_EVENT_SELCHANGING] = 0;
  f.items.Click(2);
  EXPECT_EQ(f.items.Log().events, (Events{1, 8}));
  EXPECT_EQ(0, f.items.Box()->GetCurSel());
  f.items.Log().answers.clear();
  f.items.ForgetEvents();
  f.items.PressAt(POINT{100, f.items.HeaderHeight() / 2});                   // the header row
  f.items.PressAt(POINT{100, f.items.HeaderHeight() + 5 * kRowHeight + 3});  // below the rows
  EXPECT_EQ(f.items.Log().events, (Events{1, 1}));
  EXPECT_EQ(0, f.items.Box()->GetCurSel());
}

TEST(QuarnWindowSelect, KeysRaiseTenInTheListNameBoxAndEightInTheItemBox) {
  Boxes f;
  f.names.SelectAndFocus(0);
  f.names.Key(VK_DOWN);
  EXPECT_EQ(f.names.Log().events, (Events{10, 9}));
  EXPECT_EQ(f.names.Log().selectionSeen, (Events{0, 1}));
  f.names.ForgetEvents();
  f.names.Key(VK_END);
  f.names.Key(VK_HOME);
  EXPECT_EQ(f.names.Log().events, (Events{10, 9, 10, 9}));
  EXPECT_EQ(0, f.names.Box()->GetCurSel());

  f.items.SelectAndFocus(0);
  f.items.Key(VK_NEXT);
  EXPECT_EQ(f.items.Log().events, (Events{8, 9}));
  EXPECT_EQ(4, f.items.Box()->GetCurSel());  // a page is more than the five rows
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS,
            SendMessageA(f.items.Hwnd(), WM_GETDLGCODE, 0, 0) & (DLGC_WANTARROWS | DLGC_WANTCHARS));
}

TEST(QuarnWindowActivate, FocusFromElsewhereRaisesOneAndAPressRaisesItOnce) {
  Boxes f;
  SetFocus(f.names.Hwnd());
  EXPECT_EQ(f.names.Log().events, (Events{1}));
  SetFocus(f.items.Hwnd());  // Tab to the other box
  EXPECT_EQ(f.items.Log().events, (Events{1}));
  EXPECT_EQ(f.names.Log().events, (Events{1}));
  f.names.ForgetEvents();
  f.names.Click(2);  // the press takes the focus itself: one event 1, not two
  EXPECT_EQ(f.names.Log().events, (Events{1, 8, 9}));
}

TEST(QuarnWindowProgram, ProgramChangesRaiseNoEvents) {
  Boxes f;
  CQuarnListBox* names = f.names.Box();
  PutRow(names, "first", 0);
  names->SetCurSel(2);
  names->DeleteItem(1);
  names->SetCurSel(-1);
  names->SetItemColor(0, RGB(255, 0, 0));
  names->RefreshCtrl();
  names->ResetContent();
  todo_test::PumpFor(50);
  EXPECT_TRUE(f.names.Log().events.empty());
  EXPECT_EQ(0, names->GetCount());
}

TEST(QuarnWindowScroll, ScrollBarFollowsTheRowsTheSelectionAndTheWheel) {
  Boxes f;
  TestBox& items = f.items;
  items.Refill(1000);
  todo_test::PumpFor(50);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(items.Hwnd(), SB_VERT, &info));
  EXPECT_EQ(999, info.nMax);
  RECT client{};
  GetClientRect(items.Hwnd(), &client);
  const int page = (client.bottom - items.HeaderHeight()) / kRowHeight;
  EXPECT_EQ(static_cast<UINT>(page), info.nPage);
  EXPECT_EQ(0, info.nPos);

  items.Box()->SetCurSel(500);
  items.Box()->RefreshCtrl();
  EXPECT_EQ(500 - page + 1, items.TopRow());  // the row is the last one shown
  items.Click(500);                           // and clicks on it land on it
  EXPECT_EQ(items.Log().events, (Events{1}));

  int top = items.TopRow();
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  SendMessageA(items.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(top + static_cast<int>(lines), items.TopRow());
  SendMessageA(items.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(top, items.TopRow());

  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(1000 - page, items.TopRow());
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(1000 - 2 * page, items.TopRow());
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_TOP, 0);
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(0, items.TopRow());

  // Fewer rows than a page: no scrolling left.
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  items.Refill(3);
  todo_test::PumpFor(50);
  EXPECT_EQ(0, items.TopRow());
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(0, items.TopRow());
}

}  // namespace
}  // namespace quarn_win32_test
