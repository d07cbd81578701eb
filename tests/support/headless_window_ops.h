#pragma once
// A window for the dialog's logic without Windows: the entry row and the buttons are plain
// fields, message boxes are answered from a script and recorded, the clock is set by the test.

#include <atomic>
#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "dialog/window_ops.h"

namespace todo_test {

struct ShownMessage {
  std::string text;
  todo::MessageButtons buttons;
  todo::MessageIcon icon;
  int busyWhileOpen;
};

inline bool operator==(const ShownMessage& a, const ShownMessage& b) {
  return a.text == b.text && a.buttons == b.buttons && a.icon == b.icon &&
         a.busyWhileOpen == b.busyWhileOpen;
}
inline void PrintTo(const ShownMessage& shown, std::ostream* out) {
  *out << '"' << shown.text << "\" buttons " << static_cast<int>(shown.buttons) << " icon "
       << static_cast<int>(shown.icon) << " busy " << shown.busyWhileOpen;
}

class HeadlessWindowOps : public todo::WindowOps {
 public:
  using Control = todo::DialogControl;

  explicit HeadlessWindowOps(const std::atomic<int>* busy = nullptr) : m_busy(busy) {
    // As the window's set-up leaves it: list mode, every control enabled.
    checked[Control::ListModeButton] = true;
    for (Control c : {Control::ListModeButton, Control::ItemModeButton, Control::TextBox,
                      Control::DatePicker, Control::NoDateBox}) {
      enabled[c] = true;
    }
    today = Date(2026, 12, 8);
    pickerDate = today;
  }

  static SYSTEMTIME Date(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    return date;
  }

  std::string TextBoxText() override { return text; }
  void SetTextBoxText(const std::string& value) override { text = value; }
  void FocusTextBox() override { focus = Control::TextBox; }
  SYSTEMTIME DatePickerDate() override { return pickerDate; }
  bool IsChecked(Control control) override { return checked[control]; }
  void SetChecked(Control control, bool value) override { checked[control] = value; }
  bool IsEnabled(Control control) override { return enabled[control]; }
  void Enable(Control control, bool value) override { enabled[control] = value; }
  todo::MessageAnswer ShowMessage(const char* message, todo::MessageButtons buttons,
                                  todo::MessageIcon icon) override {
    messages.push_back({message, buttons, icon, m_busy != nullptr ? m_busy->load() : -1});
    if (answers.empty()) {
      return buttons == todo::MessageButtons::Ok ? todo::MessageAnswer::Ok
                                                 : todo::MessageAnswer::No;
    }
    todo::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void InvalidateItemCount() override { ++itemCountInvalidations; }
  SYSTEMTIME TodayUtc() override { return today; }

  // Switches the mode buttons as a click on one of them would.
  void CheckMode(bool listMode) {
    checked[Control::ListModeButton] = listMode;
    checked[Control::ItemModeButton] = !listMode;
  }

  std::string text;
  Control focus = Control::TextBox;
  SYSTEMTIME pickerDate{};
  SYSTEMTIME today{};
  std::map<Control, bool> checked;
  std::map<Control, bool> enabled;
  std::deque<todo::MessageAnswer> answers;  // answers for the next message boxes
  std::vector<ShownMessage> messages;
  int itemCountInvalidations = 0;

 private:
  const std::atomic<int>* m_busy;
};

}  // namespace todo_test
