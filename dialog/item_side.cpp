#include "dialog/item_side.h"

#include <algorithm>
#include <string_view>

#include "dialog/box_rows.h"

namespace todo {

namespace {

constexpr int kItemRowHeight = 18;
constexpr int kCheckColumnWidth = 36;

// Rows taken from the box at once.
constexpr int kRowsAtOnce = 256;

// The fields a row is saved with, from its check and packed date.
storage::RecordFields FieldsFrom(int check, DWORD date) {
  WORD year, month, day;
  QuarnSplitDate(date, &year, &month, &day);
  storage::RecordFields fields;
  fields.done = check;
  fields.year = year;
  fields.month = month;
  fields.day = day;
  return fields;
}

// The packed date of a record's date fields.
DWORD PackedDate(const storage::RecordFields& fields) {
  return QuarnPackDate(fields.year, fields.month, fields.day);
}

// Appends the records [first, end) of file to list, viewing their texts in it.
void AddRecordsOf(const storage::ListFileAsRead& file, std::size_t first, std::size_t end,
                  storage::ListToWrite* list) {
  for (std::size_t index = first; index < end; ++index) {
    storage::RecordToWrite& record = list->records.emplace_back();
    static_cast<storage::RecordFields&>(record) = file.Fields(index);
    record.text = file.Text(index);
  }
}

// Fills *list with the first `head` and last `tail` records of `ends` around what `middle`
// appends: the rows a change left alone at each end, taken from the file they were read from.
template <typename Middle>
void AddAroundEnds(const storage::ListFileAsRead* ends, std::size_t head, std::size_t tail,
                   storage::ListToWrite* list, const Middle& middle) {
  if (head > 0) AddRecordsOf(*ends, 0, head, list);
  middle();
  if (tail > 0) AddRecordsOf(*ends, ends->Count() - tail, ends->Count(), list);
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

COLORREF ItemSide::ColourOf(int check, DWORD due, DWORD today) const {
  if (check != 0) return kColourDone;
  if (m_noDate) return kColourNoDate;
  return due < today ? kColourOverdue : due == today ? kColourDueToday : kColourDueLater;
}

void ItemSide::Colour(int row, DWORD today) {
  if (m_box == nullptr || row < 0 || row >= m_box->GetCount()) return;
  m_box->SetItemColor(row, ColourOf(m_box->GetItemCheck(row), m_box->GetItemData(row), today));
}

void ItemSide::Append(const storage::ListFileAsRead& file, DWORD today) {
  // The whole list in one call: the box is told of the new rows once.
  std::vector<QuarnItem>& items = m_adding;
  // Only grown: emptied and filled again, its rows would first be cleared, a pass over memory
  // that the loop below writes anyway. Rows past the file's count are left as they were.
  if (items.size() < file.Count()) items.resize(file.Count());
  for (std::size_t index = 0; index < file.Count(); ++index) {
    const storage::RecordFields& fields = file.Fields(index);
    const std::string_view text = file.Text(index);
    const DWORD due = PackedDate(fields);
    items[index] = QuarnItem{text.data(), static_cast<int>(text.size()), fields.done, due,
                             ColourOf(fields.done, due, today)};
  }
  // The texts lie in the file's bytes in order, each before its line end: the box copies
  // them in one piece.
  if (file.Count() != 0) {
    m_box->AddItemsInBlock(items.data(), static_cast<int>(file.Count()), file.Bytes().data(),
                           static_cast<int>(file.Bytes().size()));
  }
}

template <typename Each>
void ItemSide::ForEachRow(int first, int end, const Each& each) const {
  QuarnItem items[kRowsAtOnce];
  for (; first < end; first += kRowsAtOnce) {
    const int got = m_box->GetItems(first, std::min(kRowsAtOnce, end - first), items);
    for (int at = 0; at < got; ++at) each(items[at]);
  }
}

storage::RecordFields ItemSide::FieldsOf(int row) const {
  return FieldsFrom(m_box->GetItemCheck(row), m_box->GetItemDate(row));
}

storage::ListRecord ItemSide::RecordOf(int row) const {
  storage::ListRecord record;
  static_cast<storage::RecordFields&>(record) = FieldsOf(row);
  record.text = m_box->GetItemText(row);
  return record;
}

void ItemSide::UnchangedEnds(const storage::ListFileAsRead* shown, std::uint64_t number, int* head,
                             int* tail) const {
  *head = *tail = 0;
  if (shown == nullptr || number == 0 || number != m_shownAsRead) return;
  const int count = Count();
  m_box->GetUnchangedRows(head, tail);
  // With no change the two runs are both every row.
  *head = std::min(*head, count);
  *tail = std::min(*tail, count - *head);
  if (static_cast<std::size_t>(*head + *tail) > shown->Count()) *head = *tail = 0;
}

ItemsSnapshot ItemSide::Snapshot(std::shared_ptr<const storage::ListFileAsRead> shown,
                                 std::uint64_t number) const {
  ItemsSnapshot snapshot;
  snapshot.noDate = m_noDate;
  const int count = Count();
  int head = 0;
  int tail = 0;
  UnchangedEnds(shown.get(), number, &head, &tail);
  if (head + tail > 0) {
    snapshot.ends = std::move(shown);
    snapshot.head = static_cast<std::size_t>(head);
    snapshot.tail = static_cast<std::size_t>(tail);
  }
  snapshot.rows.reserve(static_cast<std::size_t>(count - head - tail));
  ForEachRow(head, count - tail, [&snapshot](const QuarnItem& item) {
    snapshot.rows.push_back(ItemsSnapshot::Row{item.check, item.data,
                                               static_cast<std::uint32_t>(snapshot.texts.size()),
                                               static_cast<std::uint32_t>(item.textLength)});
    snapshot.texts.append(item.text, static_cast<std::size_t>(item.textLength));
  });
  return snapshot;
}

storage::ListToWrite ItemsSnapshot::ToWrite(const storage::ListFileAsRead* savedOver) const {
  storage::ListToWrite list;
  list.noDate = noDate;
  list.records.reserve(head + rows.size() + tail);
  AddAroundEnds(ends.get(), head, tail, &list, [&] {
    for (const Row& row : rows) {
      storage::RecordToWrite& record = list.records.emplace_back();
      static_cast<storage::RecordFields&>(record) = FieldsFrom(row.check, row.date);
      record.text = std::string_view(texts).substr(row.textAt, row.textSize);
    }
  });
  if (ends != nullptr && savedOver == ends.get()) {
    list.sameHead = head;
    list.sameTail = tail;
  }
  return list;
}

storage::ListToWrite ItemSide::ToWrite() const {
  storage::ListToWrite list;
  ToWrite(&list);
  return list;
}

void ItemSide::ToWrite(storage::ListToWrite* list, const storage::ListFileAsRead* shown,
                       std::uint64_t number) const {
  list->noDate = m_noDate;
  int head = 0;
  int tail = 0;
  UnchangedEnds(shown, number, &head, &tail);
  const int count = Count();
  list->sameHead = static_cast<std::size_t>(head);
  list->sameTail = static_cast<std::size_t>(tail);
  list->records.clear();
  list->records.reserve(static_cast<std::size_t>(count));
  AddAroundEnds(shown, list->sameHead, list->sameTail, list, [&] {
    ForEachRow(head, count - tail, [list](const QuarnItem& item) {
      storage::RecordToWrite& record = list->records.emplace_back();
      static_cast<storage::RecordFields&>(record) = FieldsFrom(item.check, item.data);
      record.text = std::string_view(item.text, static_cast<std::size_t>(item.textLength));
    });
  });
}

void ItemSide::MarkShown(std::uint64_t asRead) {
  m_box->MarkRowsUnchanged();
  m_shownAsRead = asRead;
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
  return file.Holds(ToWrite());
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
