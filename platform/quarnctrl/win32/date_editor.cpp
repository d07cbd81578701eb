#include <windows.h>

#include <commctrl.h>

#include "quarnctrl/win32/inplace_editor.h"

namespace quarn::win32 {

namespace {

bool IsRealDay(const SYSTEMTIME& date) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.wYear < 1601 || date.wYear > 9999 || date.wMonth < 1 || date.wMonth > 12) return false;
  int year = date.wYear;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int last = kDays[date.wMonth - 1] + (date.wMonth == 2 && leap ? 1 : 0);
  return date.wDay >= 1 && date.wDay <= last;
}

}  // namespace

std::unique_ptr<DateEditor> DateEditor::Open(ListModel* model, HWND box, const RECT& cell,
                                             DWORD date, HFONT font, unsigned serial) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(box, GWLP_HINSTANCE));
  HWND hwnd = CreateWindowExA(0, DATETIMEPICK_CLASSA, "", WS_CHILD | WS_VISIBLE, cell.left,
                              cell.top, cell.right - cell.left, cell.bottom - cell.top, box,
                              nullptr, instance, nullptr);
  if (hwnd == nullptr) return nullptr;
  std::unique_ptr<DateEditor> editor(new DateEditor(model, hwnd, box, serial));
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(hwnd, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("yyyy/MM/dd"));
  SYSTEMTIME shown;
  CQuarnListBox::ConvertToSysTime(date, &shown);
  // A row without a real due date starts the picker at today.
  if (!IsRealDay(shown) ||
      !SendMessageA(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown))) {
    GetLocalTime(&shown);
    SendMessageA(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
  }
  SetFocus(hwnd);
  return editor;
}

bool DateEditor::IsOwnWindow(HWND window) const {
  if (window == nullptr || Hwnd() == nullptr) return false;
  if (window == Hwnd() || IsChild(Hwnd(), window)) return true;
  auto calendar = reinterpret_cast<HWND>(SendMessageA(Hwnd(), DTM_GETMONTHCAL, 0, 0));
  return calendar != nullptr && (window == calendar || IsChild(calendar, window));
}

bool DateEditor::HasFocus() const {
  return IsOwnWindow(GetFocus());
}

void DateEditor::Commit() {
  if (Retired()) return;
  SYSTEMTIME picked{};
  LRESULT valid = SendMessageA(Hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked));
  ListModel* model = Model();
  Retire();
  // Either call closes this editor: nothing of it may be touched afterwards.
  if (valid == GDT_VALID) {
    model->CommitDate(CQuarnListBox::ConvertToDateData(picked));
  } else {
    model->CancelEdit();
  }
}

void DateEditor::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case DTN_DROPDOWN:
      m_droppedDown = true;
      m_picked = false;
      break;
    case DTN_DATETIMECHANGE:
      if (m_droppedDown) m_picked = true;
      break;
    case DTN_CLOSEUP:
      // The picker and its calendar are still inside their own handling, and the change
      // notice may come before or after this one: decide once both are over.
      PostMessageA(m_box, kDropDownClosed, m_serial, 0);
      break;
    default:
      break;
  }
}

void DateEditor::OnDropDownClosed() {
  if (Retired() || !m_droppedDown) return;
  bool picked = m_picked;
  m_droppedDown = false;
  m_picked = false;
  HWND focus = GetFocus();
  bool focusHere = IsOwnWindow(focus);
  // With the calendar gone the focus may rest on the top-level window: it was ours.
  bool focusLeft = focus != nullptr && !focusHere && focus != GetAncestor(m_box, GA_ROOT);
  if (focus != nullptr && !focusHere && !focusLeft) SetFocus(Hwnd());
  if (picked || focusLeft) Commit();
}

}  // namespace quarn::win32
