// Add and Add-at-bottom: a new list from the text box in list mode, a new item of the
// selected list in item mode.

#include <string>
#include <utility>

#include "dialog/entry_text.h"
#include "dialog/todo_dialog.h"
#include "storage/list_names.h"
#include "storage/paths.h"

namespace todo {

namespace {

const char kEnterListNameMessage[] = "登録するリスト名を入力して下さい！";
const char kBadListNameMessage[] =
    "リスト名として適切ではありません。\nファイル名に使用できない文字は使用できません。"
    "（\\/:*?\"<>|）";
const char kListExistsMessage[] = "その名前のリストは既に登録されています！";
const char kCannotCreateMessage[] = "リストを新規作成できませんでした！";
const char kNoListSelectedMessage[] =
    "アイテムを登録できません。\nリストを、選択するか新規登録して下さい。";
const char kEnterItemMessage[] = "登録するアイテムを入力して下さい！";
const char kListNotStorableMessage[] =
    "アイテムを登録できません。\nこのリストはファイルに保存できません。";

}  // namespace

void ToDoDialog::OnAdd() {
  if (m_entry.InListMode()) {
    AddList(false);
  } else {
    AddItemFromTextBox(false);
  }
}

void ToDoDialog::OnAddAtBottom() {
  if (m_entry.InListMode()) {
    AddList(true);
  } else {
    AddItemFromTextBox(true);
  }
}

const char* ToDoDialog::RefusalOfNewList(const std::string& name, std::string* path) {
  if (name.empty()) return kEnterListNameMessage;
  if (storage::IsBadListName(name)) return kBadListNameMessage;
  if (m_names.Taken(name, -1)) return kListExistsMessage;
  *path = m_gate.PathOf(name);
  if (path->empty() || path->size() >= storage::kPathLimitBytes) return kCannotCreateMessage;
  // A file no list names (or one Windows matches by letter case) keeps its items: the name is
  // refused rather than the file emptied.
  if (m_gate.Exists(*path)) return kListExistsMessage;
  return nullptr;
}

void ToDoDialog::AddList(bool atBottom) {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  const std::string name = EntryText(m_entry.Typed(), kListNameLimit);
  const std::string selectedBefore = SelectedListName();
  const int itemSelectedBefore = m_items.Selected();
  std::string path;
  const char* refusal = RefusalOfNewList(name, &path);
  if (refusal == nullptr && !m_gate.CreateListFile(path, m_entry.NoDateChecked())) {
    refusal = kCannotCreateMessage;
  }
  // The list selected so far is written while it is still selected; the boxes raise no
  // events for what the program does, so the switch to the new list is done here. When its
  // items cannot be written, the new list is not made, so that they are not thrown away.
  if (refusal == nullptr && !LeaveSelectedList()) {
    m_gate.Delete(path);
    refusal = kCannotCreateMessage;
  }
  if (refusal != nullptr) {
    Ask(refusal, MessageButtons::Ok, MessageIcon::Exclamation);
    m_entry.Focus();
    return;
  }

  m_names.AddSelected(name, atBottom);
  m_items.Clear();
  LoadCurrentList();
  m_items.Box()->RefreshCtrl();
  RemovedList added;
  added.row = m_names.Selected();
  added.name = name;
  RecordStep(ListAdded(std::move(added), selectedBefore, itemSelectedBefore, m_items.Selected()));
  FinishAdd();
}

void ToDoDialog::AddItemFromTextBox(bool atBottom) {
  if (!m_names.HasBox() || !m_items.HasBox()) return;
  if (m_names.Selected() < 0) {
    Ask(kNoListSelectedMessage, MessageButtons::Ok, MessageIcon::Information);
    return;
  }
  if (!SelectedListCanBeSaved()) {
    // Its file could not be read, or its name names no file: a new item would be lost
    // without a word when the list is left.
    Ask(kListNotStorableMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  const std::string typed = m_entry.Typed();
  if (typed.empty()) {
    Ask(kEnterItemMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    m_entry.Focus();
    return;
  }
  // Every new item carries the picker's date, in a no-date list too.
  const DWORD due = CQuarnListBox::ConvertToDateData(m_window.DatePickerDate());
  const int selectedBefore = m_items.Selected();
  const int row = m_items.Add(EntryText(typed, kItemTextLimit), due, atBottom);
  ColourItem(row);
  RecordStep(
      ItemAdded(SelectedListName(), row, m_items.RowAt(row), selectedBefore, m_items.Selected()));
  FinishAdd();
}

void ToDoDialog::FinishAdd() {
  m_entry.Focus();
  m_entry.ClearText();
  m_window.InvalidateItemCount();
}

}  // namespace todo
