#include "plugin/win32_window_ops.h"

#include <commctrl.h>

#include "framework/fw_app.h"

HWND Win32WindowOps::Control(todo::DialogControl control) const {
  return GetDlgItem(m_dialog, static_cast<int>(control));
}

std::string Win32WindowOps::TextBoxText() {
  HWND box = Control(todo::DialogControl::TextBox);
  if (box == nullptr) return std::string();
  int length = GetWindowTextLengthA(box);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(box, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Win32WindowOps::SetTextBoxText(const std::string& text) {
  SetWindowTextA(Control(todo::DialogControl::TextBox), text.c_str());
}

void Win32WindowOps::FocusTextBox() {
  SetFocus(Control(todo::DialogControl::TextBox));
}

SYSTEMTIME Win32WindowOps::DatePickerDate() {
  SYSTEMTIME date{};
  SendMessageA(Control(todo::DialogControl::DatePicker), DTM_GETSYSTEMTIME, 0,
               reinterpret_cast<LPARAM>(&date));
  return date;
}

bool Win32WindowOps::IsChecked(todo::DialogControl control) {
  return SendMessageA(Control(control), BM_GETCHECK, 0, 0) != BST_UNCHECKED;
}

void Win32WindowOps::SetChecked(todo::DialogControl control, bool checked) {
  SendMessageA(Control(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32WindowOps::IsEnabled(todo::DialogControl control) {
  HWND window = Control(control);
  return window != nullptr && IsWindowEnabled(window);
}

void Win32WindowOps::Enable(todo::DialogControl control, bool enabled) {
  EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

todo::MessageAnswer Win32WindowOps::ShowMessage(const char* text, todo::MessageButtons buttons,
                                                todo::MessageIcon icon) {
  UINT type = buttons == todo::MessageButtons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case todo::MessageIcon::Stop:
      type |= MB_ICONSTOP;
      break;
    case todo::MessageIcon::Question:
      type |= MB_ICONQUESTION;
      break;
    case todo::MessageIcon::Information:
      type |= MB_ICONINFORMATION;
      break;
    case todo::MessageIcon::Exclamation:
    case todo::MessageIcon::None:
      type |= MB_ICONEXCLAMATION;
      break;
  }
  // While the window closes no box opens: the caller takes the answer that changes nothing.
  if (!m_modal.Enter()) {
    return buttons == todo::MessageButtons::YesNo ? todo::MessageAnswer::No
                                                  : todo::MessageAnswer::Ok;
  }
  // Owned by the tool window, which is disabled meanwhile: no second command can start under
  // the box, and a close of the window finds it.
  const int answer = MessageBoxA(m_dialog, text, AfxGetAppName(), type);
  m_modal.Leave();
  switch (answer) {
    case IDYES:
      return todo::MessageAnswer::Yes;
    case IDNO:
      return todo::MessageAnswer::No;
    default:
      return todo::MessageAnswer::Ok;
  }
}

void Win32WindowOps::InvalidateItemCount() {
  InvalidateRect(m_dialog, &m_itemCountRect, TRUE);
}

SYSTEMTIME Win32WindowOps::TodayUtc() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  return now;
}
