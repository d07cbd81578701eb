// Moving lists and items between the two boxes and their files.

#include <string>
#include <vector>

#include "dialog/todo_dialog.h"
#include "storage/list_store.h"
#include "storage/paths.h"

namespace todo {

namespace {

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
  if (path.empty()) return 0;
  storage::ListFileContent content;
  storage::OpenResult opened = storage::LoadListFile(m_files, path, &content);
  // A file that exists but cannot be read changes nothing. A missing file is an empty dated
  // list, so that saving it cannot turn it into a no-date list because the list loaded
  // before it was one.
  if (opened == storage::OpenResult::kFailed) {
    m_unreadableFile = path;
    return 0;
  }
  m_unreadableFile.clear();
  ApplyListKind(content.noDate);
  if (!content.noDate && content.records.empty()) return 0;
  for (const storage::ListRecord& record : content.records) {
    SYSTEMTIME date{};
    date.wYear = record.year;
    date.wMonth = record.month;
    date.wDay = record.day;
    m_items->AddItem(record.done, record.text.c_str(), CQuarnListBox::ConvertToDateData(date));
    ColourItem(m_items->GetCount() - 1);
  }
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
  storage::ListFileContent content;
  content.noDate = m_noDate != 0;
  int count = m_items->GetCount();
  content.records.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    SYSTEMTIME date;
    CQuarnListBox::ConvertToSysTime(m_items->GetItemDate(row), &date);
    storage::ListRecord record;
    record.done = m_items->GetItemCheck(row);
    record.year = date.wYear;
    record.month = date.wMonth;
    record.day = date.wDay;
    record.text = m_items->GetItemText(row);
    content.records.push_back(std::move(record));
  }
  return storage::SaveListFile(m_files, path, content) ? SaveOutcome::kSaved : SaveOutcome::kFailed;
}

int ToDoDialog::SaveCurrentList() {
  // A save that could not be written is not reported as done.
  return SaveSelectedList() == SaveOutcome::kSaved ? 1 : 0;
}

}  // namespace todo
