// Add and Add-at-bottom: a new list from the text box in list mode, a new item of the
// selected list in item mode.

#include <memory>
#include <string>

#include "dialog/entry_text.h"
#include "storage/list_names.h"
#include "dialog/todo_dialog.h"
#include "storage/list_file_format.h"
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
  if (InListMode()) {
    AddList(false);
  } else {
    AddItemFromTextBox(false);
  }
}

void ToDoDialog::OnAddAtBottom() {
  if (InListMode()) {
    AddList(true);
  } else {
    AddItemFromTextBox(true);
  }
}

const char* ToDoDialog::RefusalOfNewList(const std::string& name, std::string* path) {
  if (name.empty()) return kEnterListNameMessage;
  if (storage::IsBadListName(name)) return kBadListNameMessage;
  if (ListNameTaken(name, -1)) return kListExistsMessage;
  const char* folder = DataFolder();
  *path = folder != nullptr ? storage::ListFilePath(folder, name) : std::string();
  if (path->empty() || path->size() >= storage::kPathLimitBytes) return kCannotCreateMessage;
  // A file no list names (or one Windows matches by letter case) keeps its items: the name is
  // refused rather than the file emptied.
  if (FileExists(*path)) return kListExistsMessage;
  return nullptr;
}

void ToDoDialog::AddList(bool atBottom) {
  if (m_listNames == nullptr || m_items == nullptr) return;
  const std::string name = EntryText(m_window.TextBoxText(), kListNameLimit);
  std::string path;
  const char* refusal = RefusalOfNewList(name, &path);
  if (refusal == nullptr && !CreateListFile(path, m_window.IsChecked(DialogControl::NoDateBox))) {
    refusal = kCannotCreateMessage;
  }
  // The list selected so far is written while it is still selected; the boxes raise no
  // events for what the program does, so the switch to the new list is done here. When its
  // items cannot be written, the new list is not made, so that they are not thrown away.
  if (refusal == nullptr && SaveSelectedList() == SaveOutcome::kFailed) {
    m_files.Delete(path);
    refusal = kCannotCreateMessage;
  }
  if (refusal != nullptr) {
    Ask(refusal, MessageButtons::Ok, MessageIcon::Exclamation);
    m_window.FocusTextBox();
    return;
  }

  if (atBottom || m_listNames->GetCount() == 0) {
    m_listNames->AddItem(m_listBitmap, name.c_str(), 0);
  } else {
    m_listNames->InsertItem(0, m_listBitmap, name.c_str(), 0);
  }
  m_listNames->SetCurSel(atBottom ? m_listNames->GetCount() - 1 : 0);
  m_items->ResetContent();
  LoadCurrentList();
  m_items->RefreshCtrl();
  FinishAdd();
}

bool ToDoDialog::CreateListFile(const std::string& path, bool noDate) {
  std::unique_ptr<storage::WritableFile> file =
      m_files.OpenForWriting(path, storage::CreateMode::kCreateNew);
  if (file == nullptr) return false;
  storage::ListFileContent content;
  content.noDate = noDate;
  bool written = file->Append(storage::FormatListFile(content));
  if (file->Close() && written) return true;
  // A torn marker would turn into an item of a dated list: no file rather than a wrong one.
  m_files.Delete(path);
  return false;
}

void ToDoDialog::AddItemFromTextBox(bool atBottom) {
  if (m_listNames == nullptr || m_items == nullptr) return;
  if (m_listNames->GetCurSel() < 0) {
    Ask(kNoListSelectedMessage, MessageButtons::Ok, MessageIcon::Information);
    return;
  }
  if (!SelectedListCanBeSaved()) {
    // Its file could not be read, or its name names no file: a new item would be lost
    // without a word when the list is left.
    Ask(kListNotStorableMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  const std::string typed = m_window.TextBoxText();
  if (typed.empty()) {
    Ask(kEnterItemMessage, MessageButtons::Ok, MessageIcon::Exclamation);
    m_window.FocusTextBox();
    return;
  }
  const std::string text = EntryText(typed, kItemTextLimit);
  // Every new item carries the picker's date, in a no-date list too.
  DWORD due = CQuarnListBox::ConvertToDateData(m_window.DatePickerDate());
  int row;
  if (atBottom || m_items->GetCount() == 0) {
    row = m_items->AddItem(0, text.c_str(), due);
  } else {
    row = m_items->InsertItem(0, 0, text.c_str(), due);
  }
  ColourItem(row);
  FinishAdd();
}

void ToDoDialog::FinishAdd() {
  m_window.FocusTextBox();
  m_window.SetTextBoxText(std::string());
  m_window.InvalidateItemCount();
}

}  // namespace todo
