// Moving lists and items between the two boxes and their files.

#include <string>
#include <string_view>
#include <vector>

#include "dialog/todo_dialog.h"
#include "storage/list_store.h"
#include "storage/paths.h"

namespace todo {

namespace {

// How often a failed save is tried in a row before the user is asked, when the window
// closes. Each try waits for a held file by itself for about a second on Windows.
constexpr int kCloseSaveTries = 5;
const char kCloseSaveFailedQuestion[] =
    "リストを保存できませんでした！\n他のプログラムがファイルを使用している可能性があります。"
    "\nもう一度保存しますか？\n（「いいえ」を選ぶと、変更を保存せずに閉じます）";

}  // namespace

const char* ToDoDialog::DataFolder() const {
  return ToolDataFolder(m_host);
}

std::string ToDoDialog::ListFilePathOf(int row) const {
  const char* folder = DataFolder();
  if (folder == nullptr || m_listNames == nullptr) return std::string();
  return storage::ListFilePath(folder, m_listNames->GetItemText(row));
}

void ToDoDialog::LoadListNames() {
  if (m_listNames == nullptr) return;
  m_listNames->ResetContent();
  const char* folder = DataFolder();
  if (folder == nullptr || !m_files.SetCurrentFolder(folder)) return;
  std::vector<std::string> names;
  storage::LoadListOrder(m_files, storage::ListOrderPath(), &names);
  for (const std::string& name : names) {
    // A blank line names no list: no list can be made, used or stored without a name.
    if (!name.empty()) m_listNames->AddItem(m_listBitmap, name.c_str(), 0);
  }
}

void ToDoDialog::SaveListNames() {
  if (m_listNames == nullptr) return;
  const char* folder = DataFolder();
  if (folder == nullptr || !m_files.SetCurrentFolder(folder)) return;
  std::vector<std::string> names;
  for (int row = 0; row < m_listNames->GetCount(); ++row) {
    names.emplace_back(m_listNames->GetItemText(row));
  }
  storage::SaveListOrder(m_files, storage::ListOrderPath(), names);
}

void ToDoDialog::ApplyListKind(bool noDate) {
  m_items->SetColumnWidth(QUARN_COLUMN_TEXT, noDate ? QUARN_WIDTH_HIDING_DATES : kTextColumnWidth);
  m_noDate = noDate;
  if (InListMode()) {
    m_window.SetChecked(DialogControl::NoDateBox, noDate);
  } else {
    m_window.Enable(DialogControl::DatePicker, !noDate);
  }
}

int ToDoDialog::LoadCurrentList() {
  if (m_listNames == nullptr || m_items == nullptr) return 0;
  int selected = m_listNames->GetCurSel();
  if (selected < 0) return 0;
  std::string path = ListFilePathOf(selected);
  if (path.empty()) {
    // A name that names no file in the list folder: nothing is read, and the list counts as
    // an empty dated list, as a missing file does, so that it cannot take the kind of the list
    // before it once a rename gives it a file.
    if (DataFolder() != nullptr) ApplyListKind(false);
    m_asReadPath.clear();
    m_asRead = storage::ListFileAsRead();
    return 0;
  }
  storage::ListFileAsRead file;
  storage::OpenResult opened = storage::LoadListFile(m_files, path, &file);
  // A file that exists but cannot be read changes nothing. A missing file is an empty dated
  // list, so that saving it cannot turn it into a no-date list because the list loaded
  // before it was one.
  if (opened == storage::OpenResult::kFailed) {
    m_unreadableFile = path;
    return 0;
  }
  // A zero byte ends an item's text in the boxes: the list is shown as far as they can carry
  // it, but never saved over, or the bytes after each zero would be lost.
  if (file.HoldsZeroByte()) {
    m_unreadableFile = path;
  } else {
    m_unreadableFile.clear();
  }
  ApplyListKind(file.NoDate());
  m_asReadPath.clear();
  m_asRead = storage::ListFileAsRead();
  if (!file.NoDate() && file.Count() == 0) return 0;
  // One reading of the clock for the whole list: a long list is coloured by one date.
  const DWORD today = CQuarnListBox::ConvertToDateData(m_window.TodayUtc());
  const int count = static_cast<int>(file.Count());
  m_items->InitStorage(m_items->GetCount() + count, static_cast<int>(file.Bytes().size()) + count);
  std::string text;  // each text with the zero the box takes it by
  for (std::size_t index = 0; index < file.Count(); ++index) {
    const storage::RecordAsRead& record = file.Record(index);
    SYSTEMTIME date{};
    date.wYear = record.year;
    date.wMonth = record.month;
    date.wDay = record.day;
    text.assign(file.Text(index));
    m_items->AddItem(record.done, text.c_str(), CQuarnListBox::ConvertToDateData(date));
    ColourItem(m_items->GetCount() - 1, today);
  }
  m_asReadPath = path;
  m_asRead = std::move(file);
  return 1;
}

bool ToDoDialog::SelectedListCanBeSaved() const {
  if (m_listNames == nullptr || m_listNames->GetCurSel() < 0) return false;
  const std::string path = ListFilePathOf(m_listNames->GetCurSel());
  return !path.empty() && path != m_unreadableFile;
}

ToDoDialog::SaveOutcome ToDoDialog::SaveSelectedList() {
  if (m_listNames == nullptr || m_items == nullptr) return SaveOutcome::kNoList;
  int selected = m_listNames->GetCurSel();
  if (selected < 0) return SaveOutcome::kNoList;
  std::string path = ListFilePathOf(selected);
  if (path.empty() || path == m_unreadableFile) return SaveOutcome::kNotSaved;
  // Items as they were read keep their lines as stored, so a list that was only looked at is
  // written back unchanged. Such a list, the common case when the user moves to another list,
  // is written from what was read, without a copy of every item.
  if (path == m_asReadPath && ItemsAreAsRead()) {
    return storage::SaveListFileAsRead(m_files, path, &m_asRead) ? SaveOutcome::kSaved
                                                                 : SaveOutcome::kFailed;
  }
  storage::ListFileContent content;
  content.noDate = m_noDate;
  const int count = m_items->GetCount();
  content.records.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) content.records.push_back(RecordOfItem(row));
  // What was read of another file says nothing about this one.
  if (path != m_asReadPath) {
    m_asReadPath.clear();
    m_asRead = storage::ListFileAsRead();
  }
  if (!storage::SaveListFile(m_files, path, content, &m_asRead)) return SaveOutcome::kFailed;
  m_asReadPath = path;
  return SaveOutcome::kSaved;
}

storage::ListRecord ToDoDialog::RecordOfItem(int row) const {
  SYSTEMTIME date;
  CQuarnListBox::ConvertToSysTime(m_items->GetItemDate(row), &date);
  storage::ListRecord record;
  record.done = m_items->GetItemCheck(row);
  record.year = date.wYear;
  record.month = date.wMonth;
  record.day = date.wDay;
  record.text = m_items->GetItemText(row);
  return record;
}

namespace {

// Whether a zero-terminated text is the bytes of view, in one pass over both: a long list is
// compared item by item at every save.
bool SameText(const char* text, std::string_view view) {
  for (char byte : view) {
    if (*text == '\0' || *text != byte) return false;
    ++text;
  }
  return *text == '\0';
}

}  // namespace

bool ToDoDialog::ItemsAreAsRead() const {
  if (m_asRead.NoDate() != m_noDate ||
      static_cast<std::size_t>(m_items->GetCount()) != m_asRead.Count()) {
    return false;
  }
  for (std::size_t row = 0; row < m_asRead.Count(); ++row) {
    const int index = static_cast<int>(row);
    const storage::RecordAsRead& record = m_asRead.Record(row);
    SYSTEMTIME date;
    CQuarnListBox::ConvertToSysTime(m_items->GetItemDate(index), &date);
    if (m_items->GetItemCheck(index) != record.done || date.wYear != record.year ||
        date.wMonth != record.month || date.wDay != record.day ||
        !SameText(m_items->GetItemText(index), m_asRead.Text(row))) {
      return false;
    }
  }
  return true;
}

int ToDoDialog::SaveCurrentList() {
  // A save that could not be written is not reported as done.
  return SaveSelectedList() == SaveOutcome::kSaved ? 1 : 0;
}

void ToDoDialog::GiveUpInPlaceEdits() {
  // Moving the selection away and back is a change by the program, which closes an editor
  // without storing its text; it raises no event.
  for (CQuarnListBox* box : {static_cast<CQuarnListBox*>(m_listNames.get()),
                             static_cast<CQuarnListBox*>(m_items.get())}) {
    if (box == nullptr) continue;
    const int selected = box->GetCurSel();
    box->SetCurSel(-1);
    box->SetCurSel(selected);
  }
}

void ToDoDialog::SaveOnClose(bool listSaved) {
  if (!listSaved) SaveCurrentList();
  SaveListNames();
}

bool ToDoDialog::SaveBeforeClose() {
  for (;;) {
    for (int tried = 0; tried < kCloseSaveTries; ++tried) {
      if (SaveSelectedList() != SaveOutcome::kFailed) return true;
    }
    if (Ask(kCloseSaveFailedQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
        MessageAnswer::No) {
      return false;
    }
  }
}

}  // namespace todo
