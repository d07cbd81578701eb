#pragma once
// What the dialog's logic asks of its window: the entry row (text box, date picker, no-date
// box), the two mode buttons, message boxes, the item-count line and the clock. The Windows
// build implements it over the real controls of the tool window; tests use a headless one.
// Every operation is called on the thread that owns the window (the tool thread).

#include <string>

#include "framework/fw_win_types.h"
#include "resources/resource_ids.h"

namespace todo {

// The controls the logic reads or changes, by their dialog control numbers.
enum class DialogControl {
  ListModeButton = IDC_MODE_LIST,
  ItemModeButton = IDC_MODE_ITEM,
  TextBox = IDC_TEXT,
  DatePicker = IDC_DATE,
  NoDateBox = IDC_NO_DATE,
};

enum class MessageButtons { Ok, YesNo };
// A message box whose type names no icon shows the exclamation icon.
enum class MessageIcon { None, Exclamation, Stop, Question, Information };
enum class MessageAnswer { Ok, Yes, No };

class WindowOps {
 public:
  virtual ~WindowOps() = default;

  // The text box's whole text, code page 932 bytes as they stand. Empty when the window is
  // gone.
  virtual std::string TextBoxText() = 0;
  // Replaces the text box's text.
  virtual void SetTextBoxText(const std::string& text) = 0;
  // Gives the text box the keyboard focus.
  virtual void FocusTextBox() = 0;
  // The date picker's value (date and time fields as the picker holds them).
  virtual SYSTEMTIME DatePickerDate() = 0;

  // Check state of a button (mode buttons, no-date box): true for checked. False for any other
  // control.
  virtual bool IsChecked(DialogControl control) = 0;
  virtual void SetChecked(DialogControl control, bool checked) = 0;
  // Whether the control takes input.
  virtual bool IsEnabled(DialogControl control) = 0;
  virtual void Enable(DialogControl control, bool enabled) = 0;

  // Shows a modal message box with `text`, the caption "ToDoList", `buttons` and `icon`
  // (the first button is the default) and waits for the answer. The caller keeps the busy
  // flag set meanwhile.
  virtual MessageAnswer ShowMessage(const char* text, MessageButtons buttons, MessageIcon icon) = 0;

  // Marks the item-count line for repainting, background included.
  virtual void InvalidateItemCount() = 0;
  // Today's date in UTC (not local time).
  virtual SYSTEMTIME TodayUtc() = 0;
};

}  // namespace todo
