#include "dialog/entry_row.h"

#include <cstring>

#include "dialog/entry_text.h"
#include "storage/lines.h"
#include "text/cp932.h"

namespace todo {

const char kListModeName[] = "ﾘｽﾄ一覧";
const char kItemModeName[] = "ｱｲﾃﾑ一覧";

const char* ModeName(InputMode mode) {
  return mode == InputMode::List ? kListModeName : kItemModeName;
}

bool ModeOfName(const char* name, InputMode* mode) {
  if (name == nullptr) return false;
  if (std::strcmp(name, kListModeName) == 0) {
    *mode = InputMode::List;
  } else if (std::strcmp(name, kItemModeName) == 0) {
    *mode = InputMode::Item;
  } else {
    return false;
  }
  return true;
}

std::string EntryText(std::string_view typed, std::size_t limit) {
  std::string line;
  storage::AppendWithoutLineBreaks(&line, typed);
  line.resize(cp932::CutLength(line.data(), line.size(), limit));
  return line;
}

InputMode EntryRow::Mode() {
  return m_window.IsChecked(DialogControl::ListModeButton) ? InputMode::List : InputMode::Item;
}

void EntryRow::CheckModeButton(InputMode mode) {
  m_window.SetChecked(DialogControl::ListModeButton, mode == InputMode::List);
  m_window.SetChecked(DialogControl::ItemModeButton, mode == InputMode::Item);
}

void EntryRow::Apply(InputMode mode, bool noDate) {
  if (mode == InputMode::List) {
    m_window.Enable(DialogControl::DatePicker, false);
    m_window.Enable(DialogControl::NoDateBox, true);
    m_window.SetChecked(DialogControl::NoDateBox, false);
  } else {
    m_window.SetChecked(DialogControl::NoDateBox, noDate);
    m_window.Enable(DialogControl::DatePicker, !noDate);
    m_window.Enable(DialogControl::NoDateBox, false);
  }
}

void EntryRow::ShowListKind(bool noDate) {
  if (InListMode()) {
    m_window.SetChecked(DialogControl::NoDateBox, noDate);
  } else {
    m_window.Enable(DialogControl::DatePicker, !noDate);
  }
}

bool EntryRow::CutToLimit(std::size_t limit) {
  const std::string typed = m_window.TextBoxText();
  std::string line;
  storage::AppendWithoutLineBreaks(&line, typed);
  if (line.size() <= limit) return false;
  m_window.SetTextBoxText(EntryText(typed, limit));
  m_window.FocusTextBox();
  return true;
}

}  // namespace todo
