#include "win32_box_fixture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

namespace quarn_win32_test {

namespace {

constexpr char kHostClass[] = "QuarnTestHost";

HWND MakeHostWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  return CreateWindowExA(0, kHostClass, "QuarnCtrl test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                         700, 560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HostWindow::HostWindow(Kind kind) : m_own(kind == kOwn) {
  static const HWND shared = MakeHostWindow();
  m_hwnd = m_own ? MakeHostWindow() : shared;
  SetForegroundWindow(m_hwnd);
  SetFocus(m_hwnd);
  todo_test::PumpFor(20);
}

HostWindow::~HostWindow() {
  if (m_own) DestroyWindow(m_hwnd);
  todo_test::PumpFor(10);
}

std::vector<HWND> BoxWindows(HWND parent) {
  std::vector<HWND> found;
  for (HWND child = FindWindowExA(parent, nullptr, "QuarnListCtrl", nullptr); child != nullptr;
       child = FindWindowExA(parent, child, "QuarnListCtrl", nullptr)) {
    found.push_back(child);
  }
  return found;
}

TestBox::TestBox(HWND parent, const char* name, RECT rect) {
  std::vector<HWND> before = BoxWindows(parent);
  m_box.reset(CQuarnListBox::NewQuarnCtrl(parent, name, &rect, 0));
  if (m_box == nullptr) return;
  for (HWND child : BoxWindows(parent)) {
    if (std::find(before.begin(), before.end(), child) == before.end()) m_hwnd = child;
  }
  m_box->SetEditable(1);
  m_box->SetItemHeight(kRowHeight);
  if (std::string(name) == "ToDoItem") {
    m_box->SetUseColumnHeader(1);
    m_box->SetUseItemLine(1);
    m_box->SetColumnWidth(QUARN_COLUMN_CHECK, kCheckWidth);
    m_box->SetColumnWidth(QUARN_COLUMN_TEXT, kTextWidth);
    m_box->SetColumnWidth(QUARN_COLUMN_DATE, kDateWidth);
    m_header = kRowHeight;
  }
  quarn_test::RecordAllEvents(m_box.get(), &m_log);
}

void TestBox::ForgetEvents() {
  m_log.events.clear();
  m_log.selectionSeen.clear();
}

void TestBox::Refill(int count) {
  m_box->ResetContent();
  for (int i = 0; i < count; ++i) {
    PutRow(m_box.get(), ("row " + std::to_string(i)).c_str(), -1, i % 2, 0x07EA0C01 + i % 28);
  }
}

int TestBox::TopRow() const {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  if (!GetScrollInfo(m_hwnd, SB_VERT, &info)) return 0;
  return info.nPos;
}

POINT TestBox::CellCentre(int row, QuarnColumn column) const {
  int x = 60;
  if (m_header > 0) {
    if (column == QUARN_COLUMN_CHECK) x = kCheckWidth / 2;
    if (column == QUARN_COLUMN_TEXT) x = kCheckWidth + kTextWidth / 2;
    if (column == QUARN_COLUMN_DATE) x = kCheckWidth + kTextWidth + kDateWidth / 2;
  }
  int y = m_header + (row - TopRow()) * kRowHeight + kRowHeight / 2;
  return POINT{x, y};
}

void TestBox::PressAt(POINT point) const {
  LPARAM where = MAKELPARAM(point.x, point.y);
  SendMessageA(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageA(m_hwnd, WM_LBUTTONUP, 0, where);
}

void TestBox::Click(int row, QuarnColumn column) const {
  PressAt(CellCentre(row, column));
}

void TestBox::DoubleClick(int row, QuarnColumn column) const {
  POINT point = CellCentre(row, column);
  PressAt(point);
  SendMessageA(m_hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessageA(m_hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void TestBox::Key(WPARAM key) const {
  SendMessageA(m_hwnd, WM_KEYDOWN, key, 1);
  SendMessageA(m_hwnd, WM_KEYUP, key, 0xC0000001);
}

void TestBox::SelectAndFocus(int row) {
  Click(row);
  if (GetFocus() != m_hwnd) SetFocus(m_hwnd);
  ForgetEvents();
}

HWND TestBox::Editor(const char* className) const {
  for (HWND child = FindWindowExA(m_hwnd, nullptr, className, nullptr); child != nullptr;
       child = FindWindowExA(m_hwnd, child, className, nullptr)) {
    if (IsWindowVisible(child)) return child;
  }
  return nullptr;
}

HWND TestBox::WaitForEditor(const char* className) const {
  HWND found = nullptr;
  todo_test::PumpUntil([&] { return (found = Editor(className)) != nullptr; },
                       GetDoubleClickTime() * 4 + 2000);
  return found;
}

HWND TestBox::OpenEditor(int row, QuarnColumn column) {
  SelectAndFocus(row);
  Click(row, column);
  return WaitForEditor(column == QUARN_COLUMN_DATE ? "SysDateTimePick32" : "Edit");
}

Boxes::Boxes()
    : names(host.Hwnd(), "ToDoList", kNamesRect), items(host.Hwnd(), "ToDoItem", kItemsRect) {
  for (const char* name : {"家", "work", "shop", "本", "旅行"}) PutRow(names.Box(), name);
  for (const char* text : {"牛乳を買う", "bread", "卵", "tea", "jam"}) {
    PutRow(items.Box(), text, -1, 0, kDay);
  }
}

std::string WindowText(HWND hwnd) {
  std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 2, '\0');
  int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void TypeInto(HWND hwnd, const char* text) {
  SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void PressIn(HWND hwnd, WPARAM key) {
  SendMessageA(hwnd, WM_KEYDOWN, key, 1);
}

SYSTEMTIME PickerDate(HWND picker) {
  SYSTEMTIME shown{};
  if (SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)) != GDT_VALID) {
    shown = SYSTEMTIME{};
  }
  return shown;
}

std::string Ymd(const SYSTEMTIME& date) {
  char text[16];
  std::snprintf(text, sizeof(text), "%04u/%02u/%02u", date.wYear, date.wMonth, date.wDay);
  return text;
}

}  // namespace quarn_win32_test
