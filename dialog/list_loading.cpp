// Moving lists and items between the two boxes and their files.

#include <string>
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

constexpr int kTextColumnWidth = 320;
constexpr int kTextColumnHidingDates = 65535;

}  // namespace

const char* ToDoDialog::DataFolder() const {
  return m_host != nullptr ? m_host->GetDataFolder(1, 0) : nullptr;
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
  m_items->SetColumnWidth(QUARN_COLUMN_TEXT, noDate ? kTextColumnHidingDates : kTextColumnWidth);
  m_noDate = noDate ? 1 : 0;
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
    m_asRead = storage::ListFileContent();
    return 0;
  }
  storage::ListFileContent content;
  storage::OpenResult opened = storage::LoadListFile(m_files, path, &content);
  // A file that exists but cannot be read changes nothing. A missing file is an empty dated
  // list, so that saving it cannot turn it into a no-date list because the list loaded
  // before it was one.
  if (opened == storage::OpenResult::kFailed) {
    m_unreadableFile = path;
    return 0;
  }
  // A zero byte ends an item's text in the boxes: the list is shown as far as they can carry
  // it, but never saved over, or the bytes after each zero would be lost.
  if (content.holdsZeroByte) {
    m_unreadableFile = path;
  } else {
    m_unreadableFile.clear();
  }
  ApplyListKind(content.noDate);
  m_asReadPath.clear();
  m_asRead = storage::ListFileContent();
  if (!content.noDate && content.records.empty()) return 0;
  // One reading of the clock for the whole list: a long list is coloured by one date.
  const DWORD today = CQuarnListBox::ConvertToDateData(m_window.TodayUtc());
  std::size_t textBytes = 0;
  for (const storage::ListRecord& record : content.records) textBytes += record.text.size() + 1;
  m_items->InitStorage(m_items->GetCount() + static_cast<int>(content.records.size()),
                       static_cast<int>(textBytes));
  for (const storage::ListRecord& record : content.records) {
    SYSTEMTIME date{};
    date.wYear = record.year;
    date.wMonth = record.month;
    date.wDay = record.day;
    m_items->AddItem(record.done, record.text.c_str(), CQuarnListBox::ConvertToDateData(date));
    ColourItem(m_items->GetCount() - 1, today);
  }
  m_asReadPath = path;
  m_asRead = std::move(content);
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
  std::vector<storage::StoredLine> written;
  if (path == m_asReadPath && ItemsAreAsRead()) {
    if (!storage::SaveListFile(m_files, path, m_asRead, &m_asRead, &written)) {
      return SaveOutcome::kFailed;
    }
    m_asRead.lines = std::move(written);
    return SaveOutcome::kSaved;
  }
  storage::ListFileContent content;
  content.noDate = m_noDate != 0;
  const int count = m_items->GetCount();
  content.records.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) content.records.push_back(RecordOfItem(row));
  const storage::ListFileContent* asRead = path == m_asReadPath ? &m_asRead : nullptr;
  if (!storage::SaveListFile(m_files, path, content, asRead, &written)) return SaveOutcome::kFailed;
  m_asReadPath = path;
  m_asRead.noDate = content.noDate;
  m_asRead.records = std::move(content.records);
  m_asRead.lines = std::move(written);
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

bool ToDoDialog::ItemsAreAsRead() const {
  const std::vector<storage::ListRecord>& records = m_asRead.records;
  if (m_asRead.noDate != (m_noDate != 0) || m_asRead.lines.size() != records.size() ||
      static_cast<std::size_t>(m_items->GetCount()) != records.size()) {
    return false;
  }
  for (std::size_t row = 0; row < records.size(); ++row) {
    const int index = static_cast<int>(row);
    SYSTEMTIME date;
    CQuarnListBox::ConvertToSysTime(m_items->GetItemDate(index), &date);
    const storage::ListRecord& record = records[row];
    if (m_items->GetItemCheck(index) != record.done || date.wYear != record.year ||
        date.wMonth != record.month || date.wDay != record.day ||
        record.text != m_items->GetItemText(index)) {
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
  for (CQuarnListBox* box :
       {static_cast<CQuarnListBox*>(m_listNames), static_cast<CQuarnListBox*>(m_items)}) {
    if (box == nullptr) continue;
    const int selected = box->GetCurSel();
    box->SetCurSel(-1);
    box->SetCurSel(selected);
  }
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
