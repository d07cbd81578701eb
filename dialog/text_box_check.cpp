// What the commands take from the text box, and the length check when it loses the focus.

#include "dialog/entry_text.h"
#include "dialog/todo_dialog.h"
#include "text/cp932.h"
#include "storage/lines.h"

namespace todo {

namespace {

const char kTooLongMessage[] = "文字数オーバー！\n超過分の文字を削除しました。";

}  // namespace

std::string EntryText(std::string_view typed, std::size_t limit) {
  std::string line;
  storage::AppendWithoutLineBreaks(&line, typed);
  line.resize(cp932::CutLength(line.data(), line.size(), limit));
  return line;
}

void ToDoDialog::OnTextBoxKillFocus() {
  // The limit is what Add takes in the current mode, so what the user sees after the check is
  // exactly what Add will add; nothing is cut off silently.
  std::size_t limit = InListMode() ? kListNameLimit : kItemTextLimit;
  std::string typed = m_window.TextBoxText();
  std::string line;
  storage::AppendWithoutLineBreaks(&line, typed);
  if (line.size() <= limit) return;
  m_window.SetTextBoxText(EntryText(typed, limit));
  m_window.FocusTextBox();
  Ask(kTooLongMessage, MessageButtons::Ok, MessageIcon::Stop);
}

}  // namespace todo
