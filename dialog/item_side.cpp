#include "dialog/item_side.h"

#include <string_view>

#include "dialog/box_rows.h"

namespace todo {

namespace {

constexpr int kItemRowHeight = 18;
constexpr int kCheckColumnWidth = 36;

// Whether a zero-terminated text is the bytes of view, in one pass over both: a long list is
// compared item by item at every save.
bool SameText(const char* text, std::string_view view) {
  for (char byte : view) {
    if (*text == '\0' || *text != byte) return false;
    ++text;
  }
  return *text == '\0';
}

// The packed date of a record's date fields.
DWORD PackedDate(const storage::RecordFields& fields) {
  SYSTEMTIME date{};
  date.wYear = fields.year;
  date.wMonth = fields.month;
  date.wDay = fields.day;
  return CQuarnListBox::ConvertToDateData(date);
}

}  // namespace

bool operator==(const ItemRow& a, const ItemRow& b) {
  return a.text == b.text && a.check == b.check && a.date == b.date;
}

void ItemSide::Configure(HFONT font) {
  if (m_box == nullptr) return;
  m_box->SetUseItemLine(1);
  m_box->SetUseColumnHeader(1);
  m_box->SetEditable(1);
  m_box->SetColumnLabel(QUARN_COLUMN_CHECK, "ﾁｪｯｸ");
  m_box->SetColumnLabel(QUARN_COLUMN_TEXT, "ToDo内容");
  m_box->SetColumnLabel(QUARN_COLUMN_DATE, "期限日");
  m_box->SetCtrlFont(font, 1);
  m_box->SetItemHeight(kItemRowHeight);
  m_box->SetColumnWidth(QUARN_COLUMN_CHECK, kCheckColumnWidth);
  m_box->SetColumnWidth(QUARN_COLUMN_TEXT, kTextColumnWidth);
}

void ItemSide::SetKind(bool noDate) {
  m_box->SetColumnWidth(QUARN_COLUMN_TEXT, noDate ? QUARN_WIDTH_HIDING_DATES : kTextColumnWidth);
  m_noDate = noDate;
}

void ItemSide::Colour(int row, DWORD today) {
  if (m_box == nullptr || row < 0 || row >= m_box->GetCount()) return;
  COLORREF colour;
  if (m_box->GetItemCheck(row) != 0) {
    colour = kColourDone;
  } else if (m_noDate) {
    colour = kColourNoDate;
  } else {
    DWORD due = m_box->GetItemData(row);
    colour = due < today ? kColourOverdue : due == today ? kColourDueToday : kColourDueLater;
  }
  m_box->SetItemColor(row, colour);
}

void ItemSide::Append(const storage::ListFileAsRead& file, DWORD today) {
  const int count = static_cast<int>(file.Count());
  m_box->InitStorage(m_box->GetCount() + count, static_cast<int>(file.Bytes().size()) + count);
  std::string text;  // each text with the zero the box takes it by
  for (std::size_t index = 0; index < file.Count(); ++index) {
    const storage::RecordFields& fields = file.Fields(index);
    text.assign(file.Text(index));
    m_box->AddItem(fields.done, text.c_str(), PackedDate(fields));
    Colour(m_box->GetCount() - 1, today);
  }
}

storage::RecordFields ItemSide::FieldsOf(int row) const {
  SYSTEMTIME date;
  CQuarnListBox::ConvertToSysTime(m_box->GetItemDate(row), &date);
  storage::RecordFields fields;
  fields.done = m_box->GetItemCheck(row);
  fields.year = date.wYear;
  fields.month = date.wMonth;
  fields.day = date.wDay;
  return fields;
}

storage::ListRecord ItemSide::RecordOf(int row) const {
  storage::ListRecord record;
  static_cast<storage::RecordFields&>(record) = FieldsOf(row);
  record.text = m_box->GetItemText(row);
  return record;
}

ItemsSnapshot ItemSide::Snapshot() const {
  ItemsSnapshot snapshot;
  snapshot.noDate = m_noDate;
  const int count = Count();
  snapshot.rows.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    const std::string_view text = m_box->GetItemText(row);
    snapshot.rows.push_back(ItemsSnapshot::Row{m_box->GetItemCheck(row), m_box->GetItemData(row),
                                               static_cast<std::uint32_t>(snapshot.texts.size()),
                                               static_cast<std::uint32_t>(text.size())});
    snapshot.texts += text;
  }
  return snapshot;
}

storage::ListFileContent ItemsSnapshot::ToContent() const {
  storage::ListFileContent content;
  content.noDate = noDate;
  content.records.reserve(rows.size());
  for (const Row& row : rows) {
    SYSTEMTIME date;
    CQuarnListBox::ConvertToSysTime(row.date, &date);
    storage::ListRecord record;
    record.done = row.check;
    record.year = date.wYear;
    record.month = date.wMonth;
    record.day = date.wDay;
    record.text.assign(texts, row.textAt, row.textSize);
    content.records.push_back(std::move(record));
  }
  return content;
}

storage::ListFileContent ItemSide::Content() const {
  storage::ListFileContent content;
  content.noDate = m_noDate;
  const int count = Count();
  content.records.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) content.records.push_back(RecordOf(row));
  return content;
}

bool ItemSide::Shows(const storage::ListFileAsRead& file) const {
  if (file.NoDate() != m_noDate || static_cast<std::size_t>(Count()) != file.Count()) {
    return false;
  }
  for (std::size_t row = 0; row < file.Count(); ++row) {
    const int index = static_cast<int>(row);
    if (FieldsOf(index) != file.Fields(row) ||
        !SameText(m_box->GetItemText(index), file.Text(row))) {
      return false;
    }
  }
  return true;
}

int ItemSide::Add(const std::string& text, DWORD due, bool atBottom) {
  if (atBottom || m_box->GetCount() == 0) return m_box->AddItem(0, text.c_str(), due);
  return m_box->InsertItem(0, 0, text.c_str(), due);
}

int ItemSide::MoveSelected(int step, DWORD today) {
  if (m_box == nullptr) return -1;
  const int moved =
      MoveSelectedRow(*m_box, step, [this](int to, const std::string& text, int check, DWORD due) {
        if (to < m_box->GetCount()) {
          m_box->InsertItem(to, check, text.c_str(), due);
        } else {
          m_box->AddItem(check, text.c_str(), due);
        }
      });
  if (moved >= 0) Colour(m_box->GetCurSel(), today);
  return moved;
}

ItemRow ItemSide::RowAt(int row) const {
  ItemRow item;
  item.text = m_box->GetItemText(row);
  item.check = m_box->GetItemCheck(row);
  item.date = m_box->GetItemData(row);
  return item;
}

std::vector<ItemRow> ItemSide::Rows() const {
  std::vector<ItemRow> rows;
  const int count = Count();
  rows.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) rows.push_back(RowAt(row));
  return rows;
}

void ItemSide::SetRows(const std::vector<ItemRow>& rows, DWORD today) {
  m_box->ResetContent();
  for (const ItemRow& row : rows) {
    m_box->AddItem(row.check, row.text.c_str(), row.date);
    Colour(m_box->GetCount() - 1, today);
  }
}

void ItemSide::Insert(int row, const ItemRow& item, DWORD today) {
  if (row < m_box->GetCount()) {
    m_box->InsertItem(row, item.check, item.text.c_str(), item.date);
  } else {
    row = m_box->AddItem(item.check, item.text.c_str(), item.date);
  }
  Colour(row, today);
}

void ItemSide::SetRow(int row, const ItemRow& item, DWORD today) {
  const bool selected = m_box->GetCurSel() == row;
  Remove(row);
  Insert(row, item, today);
  if (selected) m_box->SetCurSel(row);
}

bool ItemSide::DeleteSelected() {
  int selected = m_box->GetCurSel();
  if (selected < 0) return false;
  m_box->DeleteItem(static_cast<unsigned int>(selected));
  // The item that moved into its place, else the new last one, else none.
  if (selected >= m_box->GetCount()) --selected;
  m_box->SetCurSel(selected);
  return true;
}

}  // namespace todo
