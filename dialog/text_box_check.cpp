// The length check when the text box loses the focus.

#include "dialog/entry_text.h"
#include "dialog/todo_dialog.h"

namespace todo {

namespace {

const char kTooLongMessage[] = "文字数オーバー！\n超過分の文字を削除しました。";

}  // namespace

void ToDoDialog::OnTextBoxKillFocus() {
  CutTooLongText();
}

bool ToDoDialog::CutTooLongText() {
  // The limit is what Add takes in the current mode, so what the user sees after the check is
  // exactly what Add will add; nothing is cut off silently.
  const std::size_t limit = m_entry.InListMode() ? kListNameLimit : kItemTextLimit;
  if (!m_entry.CutToLimit(limit)) return false;
  Ask(kTooLongMessage, MessageButtons::Ok, MessageIcon::Stop);
  return true;
}

}  // namespace todo
