// The boxes' real window under Wine: made by the factory, selected with the mouse and the
// keyboard, activated by the focus, and scrolled.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32_box_fixture.h"

namespace {

using quarn_win32_test::HostWindow;
using quarn_win32_test::kRowHeight;
using quarn_win32_test::TestBox;
using Events = std::vector<int>;

using quarn_win32_test::kItemsRect;
using quarn_win32_test::kNamesRect;

void FillNames(TestBox& names, int count) {
  for (int i = 0; i < count; ++i) {
    names.Names()->AddItem(nullptr, ("list " + std::to_string(i)).c_str(), 0);
  }
}

void FillItems(TestBox& items, int count) {
  for (int i = 0; i < count; ++i) {
    items.Items()->AddItem(i % 2, ("item " + std::to_string(i)).c_str(), 0x07EA0C01 + i % 28);
  }
}

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

  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  ASSERT_NE(nullptr, dynamic_cast<CQuarnImageListBox*>(names.Box()));
  ASSERT_NE(nullptr, dynamic_cast<CQuarnToDoListBox*>(items.Box()));
  for (const TestBox* box : {&names, &items}) {
    HWND hwnd = box->Hwnd();
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ(host.Hwnd(), GetParent(hwnd));
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(IsWindowVisible(hwnd));
  }
  RECT placed{};
  GetWindowRect(items.Hwnd(), &placed);
  MapWindowPoints(nullptr, host.Hwnd(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(kItemsRect.left, placed.left);
  EXPECT_EQ(kItemsRect.top, placed.top);
  EXPECT_EQ(kItemsRect.right, placed.right);
  EXPECT_EQ(kItemsRect.bottom, placed.bottom);

  names.Box()->DestroyCtrl();
  EXPECT_FALSE(IsWindow(names.Hwnd()));
  // The object outlives its window: calls change rows and paint nothing.
  EXPECT_EQ(0, names.Names()->AddItem(nullptr, "after", 0));
  names.Box()->RefreshCtrl();
  EXPECT_EQ(1, names.Box()->GetCount());
}

TEST(QuarnWindowSelect, ClickRaisesActivateThenLeaveWithTheOldRowThenArrive) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  FillNames(names, 5);
  FillItems(items, 5);
  for (TestBox* box : {&names, &items}) {
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
  HostWindow host;
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  FillItems(items, 3);
  items.SelectAndFocus(0);
  items.Log().answers[QUARN_EVENT_SELCHANGING] = 0;
  items.Click(2);
  EXPECT_EQ(items.Log().events, (Events{1, 8}));
  EXPECT_EQ(0, items.Box()->GetCurSel());
  items.Log().answers.clear();
  items.ForgetEvents();
  items.PressAt(POINT{100, items.HeaderHeight() / 2});                   // the header row
  items.PressAt(POINT{100, items.HeaderHeight() + 5 * kRowHeight + 3});  // below the rows
  EXPECT_EQ(items.Log().events, (Events{1, 1}));
  EXPECT_EQ(0, items.Box()->GetCurSel());
}

TEST(QuarnWindowSelect, KeysRaiseTenInTheListNameBoxAndEightInTheItemBox) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  FillNames(names, 5);
  FillItems(items, 5);
  names.SelectAndFocus(0);
  names.Key(VK_DOWN);
  EXPECT_EQ(names.Log().events, (Events{10, 9}));
  EXPECT_EQ(names.Log().selectionSeen, (Events{0, 1}));
  names.ForgetEvents();
  names.Key(VK_END);
  names.Key(VK_HOME);
  EXPECT_EQ(names.Log().events, (Events{10, 9, 10, 9}));
  EXPECT_EQ(0, names.Box()->GetCurSel());

  items.SelectAndFocus(0);
  items.Key(VK_NEXT);
  EXPECT_EQ(items.Log().events, (Events{8, 9}));
  EXPECT_EQ(4, items.Box()->GetCurSel());  // a page is more than the five rows
  EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS,
            SendMessageA(items.Hwnd(), WM_GETDLGCODE, 0, 0) & (DLGC_WANTARROWS | DLGC_WANTCHARS));
}

TEST(QuarnWindowActivate, FocusFromElsewhereRaisesOneAndAPressRaisesItOnce) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  FillNames(names, 3);
  FillItems(items, 3);
  SetFocus(names.Hwnd());
  EXPECT_EQ(names.Log().events, (Events{1}));
  SetFocus(items.Hwnd());  // Tab to the other box
  EXPECT_EQ(items.Log().events, (Events{1}));
  EXPECT_EQ(names.Log().events, (Events{1}));
  names.ForgetEvents();
  names.Click(2);  // the press takes the focus itself: one event 1, not two
  EXPECT_EQ(names.Log().events, (Events{1, 8, 9}));
}

TEST(QuarnWindowProgram, ProgramChangesRaiseNoEvents) {
  HostWindow host;
  TestBox names(host.Hwnd(), "ToDoList", kNamesRect);
  FillNames(names, 4);
  names.Names()->InsertItem(0, nullptr, "first", 0);
  names.Box()->SetCurSel(2);
  names.Box()->DeleteItem(1);
  names.Box()->SetCurSel(-1);
  names.Box()->SetItemColor(0, RGB(255, 0, 0));
  names.Box()->RefreshCtrl();
  names.Box()->ResetContent();
  todo_test::PumpFor(50);
  EXPECT_TRUE(names.Log().events.empty());
  EXPECT_EQ(0, names.Box()->GetCount());
}

TEST(QuarnWindowScroll, ScrollBarFollowsTheRowsTheSelectionAndTheWheel) {
  HostWindow host;
  TestBox items(host.Hwnd(), "ToDoItem", kItemsRect);
  FillItems(items, 1000);
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
  items.Box()->ResetContent();
  FillItems(items, 3);
  todo_test::PumpFor(50);
  EXPECT_EQ(0, items.TopRow());
  SendMessageA(items.Hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(0, items.TopRow());
}

}  // namespace
