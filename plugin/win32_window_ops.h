#pragma once
// The dialog logic's window operations over the real controls of the tool window.

#include <windows.h>

#include "dialog/window_ops.h"
#include "plugin/modal_boxes.h"

class Win32WindowOps final : public todo::WindowOps {
 public:
  // `dialog` is the tool window; `itemCountRect` the item-count line in its client area;
  // `modal` counts the message boxes, which the tool window owns.
  Win32WindowOps(HWND dialog, const RECT& itemCountRect, ModalBoxes& modal)
      : m_dialog(dialog), m_itemCountRect(itemCountRect), m_modal(modal) {}

  std::string TextBoxText() override;
  void SetTextBoxText(const std::string& text) override;
  void FocusTextBox() override;
  SYSTEMTIME DatePickerDate() override;
  bool IsChecked(todo::DialogControl control) override;
  void SetChecked(todo::DialogControl control, bool checked) override;
  bool IsEnabled(todo::DialogControl control) override;
  void Enable(todo::DialogControl control, bool enabled) override;
  todo::MessageAnswer ShowMessage(const char* text, todo::MessageButtons buttons,
                                  todo::MessageIcon icon) override;
  void InvalidateItemCount() override;
  SYSTEMTIME TodayUtc() override;

 private:
  HWND Control(todo::DialogControl control) const;

  HWND m_dialog;
  RECT m_itemCountRect;
  ModalBoxes& m_modal;
};
