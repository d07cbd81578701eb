#include "quarnctrl/quarn_model.h"

#include <algorithm>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/cp932.h"

namespace quarn {

namespace {

bool ValidColumn(int column) {
  return column >= 0 && column < ListModel::kColumns;
}

// What an edited text becomes before it is stored: one line (line breaks and tabs become
// spaces, so a pasted text can never turn into two rows or two records), cut to the edit
// limit at a character boundary.
std::string CleanEditedText(const std::string& text) {
  std::string clean = text;
  for (char& c : clean) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  clean.resize(cp932::CutLength(clean.data(), clean.size(), ListModel::kEditLimit));
  return clean;
}

// The bytes of a text of `length` bytes before its first zero byte, sixteen at a time where
// the processor allows: the C library may look at one byte at a time.
std::size_t LengthBeforeZero(const char* text, int length) {
  const std::size_t size = static_cast<std::size_t>(length);
  std::size_t at = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; at + 16 <= size; at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
    const unsigned zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)));
    if (zeros != 0) return at + static_cast<std::size_t>(__builtin_ctz(zeros));
  }
#endif
  while (at < size && text[at] != '\0') ++at;
  return at;
}

}  // namespace

constexpr int ListModel::kDefaultWidths[ListModel::kColumns];

ListModel::ListModel(bool checked) : m_checked(checked) {
  std::copy(std::begin(kDefaultWidths), std::end(kDefaultWidths), m_widths.begin());
}

void ListModel::SetItemLine(bool use) {
  m_itemLine = use;
  Invalidate();
}

void ListModel::SetColumnHeader(bool use) {
  m_columnHeader = use;
  Invalidate();
}

void ListModel::SetEditable(bool editable) {
  m_editable = editable;
}

void ListModel::SetItemHeight(int pixels) {
  if (pixels < 1) return;
  m_itemHeight = pixels;
  Invalidate();
}

void ListModel::SetColumnLabel(int column, const char* label) {
  if (!ValidColumn(column)) return;
  m_labels[column] = label != nullptr ? label : "";
  Invalidate();
}

void ListModel::SetColumnWidth(int column, int pixels) {
  if (!ValidColumn(column) || pixels < 0) return;
  m_widths[column] = pixels;
  Invalidate();
}

const std::string& ListModel::ColumnLabel(int column) const {
  static const std::string kNone;
  return ValidColumn(column) ? m_labels[column] : kNone;
}

int ListModel::ColumnWidth(int column) const {
  return ValidColumn(column) ? m_widths[column] : 0;
}

int ListModel::Add(const Row& row, std::string_view text) {
  return Insert(Count(), row, text);
}

int ListModel::Insert(int index, const Row& row, std::string_view text) {
  if (index < 0 || index > Count()) return -1;
  // A row moving under an open editor would take the edit to the wrong row.
  CancelEdit();
  Row stored = row;
  stored.text = m_texts.Store(text);
  m_rows.insert(m_rows.begin() + index, stored);
  RowTouched(index);
  if (m_selection >= index) ++m_selection;
  if (m_view != nullptr) m_view->RowInserted(index);
  Invalidate();
  return index;
}

int ListModel::AddMany(const QuarnItem* items, int count, std::string_view block) {
  CancelEdit();
  const int first = Count();
  m_rows.reserve(m_rows.size() + static_cast<std::size_t>(count));
  if (block.empty() || !AddInOneBlock(items, count, block)) AddOneByOne(items, count);
  RowTouched(first);
  m_unchanged.tail = 0;
  if (m_view != nullptr) m_view->RowsAppended(first, count);
  Invalidate();
  return first;
}

bool ListModel::AddInOneBlock(const QuarnItem* items, int count, std::string_view block) {
  // Each text must lie in block, past the byte after the one before, which then takes the
  // zero that ends that text. Only the bytes from the first text to the last are copied.
  const std::uintptr_t blockBegin = reinterpret_cast<std::uintptr_t>(block.data());
  const std::uintptr_t blockEnd = blockBegin + block.size();
  std::uintptr_t begin = 0;
  std::uintptr_t end = 0;
  std::size_t textBytes = 0;
  for (int at = 0; at < count; ++at) {
    if (items[at].text == nullptr || items[at].textLength <= 0) continue;
    const std::uintptr_t text = reinterpret_cast<std::uintptr_t>(items[at].text);
    const std::uintptr_t length = static_cast<std::uintptr_t>(items[at].textLength);
    if (text < blockBegin || text > blockEnd || length > blockEnd - text) return false;
    if (begin == 0) {
      begin = text;
    } else if (text <= end) {
      return false;
    }
    end = text + length;
    textBytes += length + 1;
  }
  // A block that is mostly bytes of no text would leave the pool wanting to be compacted.
  const std::size_t span = end - begin;
  if (begin == 0 || span + 1 > 2 * textBytes) return false;
  const char* const first = block.data() + (begin - blockBegin);
  std::uint32_t firstAt = 0;
  if (!m_texts.StoreBlock(std::string_view(first, span), &firstAt)) return false;
  for (int at = 0; at < count; ++at) {
    const QuarnItem& item = items[at];
    TextRef text;
    if (item.text != nullptr && item.textLength > 0) {
      text.at = firstAt + static_cast<std::uint32_t>(item.text - first);
      text.size = static_cast<std::uint32_t>(item.textLength);
      m_texts.EndText(text);
    }
    FillRow(m_rows.emplace_back(), item, text);
  }
  return true;
}

void ListModel::AddOneByOne(const QuarnItem* items, int count) {
  std::size_t bytes = 0;
  for (int at = 0; at < count; ++at) bytes += static_cast<std::size_t>(items[at].textLength) + 1;
  m_texts.Reserve(bytes);
  for (int at = 0; at < count; ++at) {
    const QuarnItem& item = items[at];
    const std::size_t length = item.text != nullptr && item.textLength > 0
                                   ? LengthBeforeZero(item.text, item.textLength)
                                   : 0;
    FillRow(m_rows.emplace_back(), item, m_texts.Store(std::string_view(item.text, length)));
  }
}

// Sets the fields of a row just added from item, its text already stored as text.
void ListModel::FillRow(Row& row, const QuarnItem& item, TextRef text) const {
  row.check = m_checked ? item.check : 0;
  row.data = item.data;
  row.colour = item.colour;
  row.text = text;
}

int ListModel::Delete(int index) {
  if (index < 0 || index >= Count()) return -1;
  CancelEdit();
  m_texts.Release(m_rows[index].text);
  m_rows.erase(m_rows.begin() + index);
  RowTouched(index, true);
  if (m_texts.WantsCompacting()) CompactTexts();
  const bool selectedGone = m_selection == index;
  if (selectedGone) {
    m_selection = -1;
  } else if (m_selection > index) {
    --m_selection;
  }
  if (m_view != nullptr) {
    m_view->RowRemoved(index);
    if (selectedGone) m_view->SelectionMoved(-1);
  }
  Invalidate();
  return Count();
}

void ListModel::Reserve(int rows, std::size_t textBytes) {
  if (rows > 0) m_rows.reserve(static_cast<std::size_t>(rows));
  m_texts.Reserve(textBytes);
}

void ListModel::Reset() {
  CancelEdit();
  m_rows.clear();
  m_texts.Empty();
  m_unchanged = UnchangedEnds();
  m_selection = -1;
  if (m_view != nullptr) m_view->RowsReset();
  Invalidate();
}

int ListModel::SetSelection(int index) {
  if (index < -1 || index >= Count()) return -1;
  if (index != m_editRow) CancelEdit();
  MoveSelection(index);
  if (m_view != nullptr && index >= 0) m_view->ScrollIntoView(index);
  Invalidate();
  return index;
}

void ListModel::SetColour(int index, COLORREF colour) {
  if (index < 0 || index >= Count()) return;
  m_rows[index].colour = colour;
  InvalidateRow(index);
}

void ListModel::SetHandler(int event, QUARNCALLBACK handler, void* user) {
  if (event < 0 || event >= static_cast<int>(m_handlers.size())) return;
  m_handlers[event].function = handler;
  m_handlers[event].user = user;
}

const Row* ListModel::RowAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &m_rows[index];
}

std::string_view ListModel::Text(int index) const {
  if (index < 0 || index >= Count()) return m_texts.View(TextRef{});
  return m_texts.View(m_rows[index].text);
}

void ListModel::SetText(int row, std::string_view text) {
  const TextRef old = m_rows[row].text;
  m_rows[row].text = m_texts.Store(text);
  RowTouched(row);
  m_texts.Release(old);
  if (m_texts.WantsCompacting()) CompactTexts();
}

void ListModel::RowTouched(int row, bool removed) {
  m_unchanged.head = std::min(m_unchanged.head, row);
  // The rows after it are still those that were there, counted from the end.
  m_unchanged.tail = std::min(m_unchanged.tail, Count() - row - (removed ? 0 : 1));
}

// Rows removed or renamed leave their old texts in the pool: once they are the larger part,
// the texts in use are copied into a pool of their own, in row order.
void ListModel::CompactTexts() {
  TextPool compacted;
  compacted.Reserve(m_texts.Size() / 2);
  for (Row& row : m_rows) row.text = compacted.Store(m_texts.View(row.text));
  m_texts = std::move(compacted);
}

int ListModel::EditText(char* buffer, int capacity) const {
  if (buffer == nullptr) return 0;
  if (capacity < 0) capacity = 0;
  std::size_t length =
      cp932::CutLength(m_editText.data(), m_editText.size(), static_cast<std::size_t>(capacity));
  std::copy(m_editText.data(), m_editText.data() + length, buffer);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

int ListModel::Raise(int event) {
  const Handler& handler = m_handlers[event];
  if (handler.function == nullptr) return 1;
  return handler.function(handler.user);
}

void ListModel::Invalidate() {
  if (m_view != nullptr) m_view->Invalidate();
}

void ListModel::InvalidateRow(int row) {
  if (m_view != nullptr) m_view->InvalidateRow(row);
}

void ListModel::MoveSelection(int row) {
  if (row == m_selection) return;
  m_selection = row;
  if (m_view != nullptr) m_view->SelectionMoved(row);
}

void ListModel::UserActivate() {
  Raise(QUARN_EVENT_ACTIVATE);
}

bool ListModel::UserSelect(int row, bool byKeyboard) {
  if (row < 0 || row >= Count() || row == m_selection) return false;
  CancelEdit();
  int leaving = (byKeyboard && !m_checked) ? QUARN_EVENT_SELCHANGING_KEY : QUARN_EVENT_SELCHANGING;
  if (Raise(leaving) == 0) return false;
  // The handler may have changed the rows; the row the user picked must still exist.
  if (row >= Count()) return false;
  MoveSelection(row);
  if (m_view != nullptr) m_view->ScrollIntoView(row);
  Invalidate();
  Raise(QUARN_EVENT_SELCHANGED);
  return true;
}

PressResult ListModel::UserPress(int row, QuarnColumn column, bool hadFocus) {
  if (row < 0 || row >= Count()) return PressResult::None;
  if (row != m_selection) {
    UserSelect(row, false);
    return PressResult::None;
  }
  if (!hadFocus || !m_editable || m_editing) return PressResult::None;
  if (!m_checked) column = QUARN_COLUMN_TEXT;
  if (column == QUARN_COLUMN_CHECK) {
    BeginEdit(row, column);
    return PressResult::None;
  }
  return PressResult::EditPending;
}

void ListModel::UserKey(Key key) {
  if (Count() == 0) return;
  int last = Count() - 1;
  int page = m_view != nullptr ? std::max(1, m_view->VisibleRows() - 1) : 1;
  int current = m_selection;
  int target = current;
  switch (key) {
    case Key::Up:
      target = current < 0 ? 0 : current - 1;
      break;
    case Key::Down:
      target = current < 0 ? 0 : current + 1;
      break;
    case Key::Home:
      target = 0;
      break;
    case Key::End:
      target = last;
      break;
    case Key::PageUp:
      target = current < 0 ? 0 : current - page;
      break;
    case Key::PageDown:
      target = current < 0 ? 0 : current + page;
      break;
    case Key::F2:
      if (current >= 0) BeginEdit(current, QUARN_COLUMN_TEXT);
      return;
    case Key::Space:
      if (current >= 0 && m_checked) BeginEdit(current, QUARN_COLUMN_CHECK);
      return;
  }
  target = std::clamp(target, 0, last);
  if (target == current) {
    if (m_view != nullptr) m_view->ScrollIntoView(target);
    return;
  }
  UserSelect(target, true);
}

bool ListModel::BeginEdit(int row, QuarnColumn column) {
  if (!m_editable || m_editing || row < 0 || row != m_selection || row >= Count()) return false;
  if (!ValidColumn(column) || (!m_checked && column != QUARN_COLUMN_TEXT)) return false;
  m_editText.clear();
  Raise(QUARN_EVENT_EDITBEGIN);
  // The handler may have moved or removed the row.
  if (row != m_selection || row >= Count()) return false;
  if (column == QUARN_COLUMN_CHECK) {
    m_rows[row].check = m_rows[row].check == 0 ? 1 : 0;
    RowTouched(row);
    if (m_view != nullptr) m_view->RowChanged(row, RowPart::Check);
    InvalidateRow(row);
    Raise(QUARN_EVENT_EDITEND);
    return true;
  }
  m_editing = true;
  m_editRow = row;
  m_editColumn = column;
  if (m_view != nullptr) m_view->OpenEditor(row, column);
  return true;
}

void ListModel::CloseEdit() {
  m_editing = false;
  if (m_view != nullptr) m_view->CloseEditor();
}

void ListModel::CommitText(const std::string& text) {
  if (!m_editing || m_editColumn != QUARN_COLUMN_TEXT) return;
  int row = m_editRow;
  CloseEdit();
  std::string clean = CleanEditedText(text);
  // An edit that ends empty is given up: a row never loses its name or text this way.
  if (clean.empty() || row >= Count()) return;
  m_editText = clean;
  if (!m_checked) {
    // The handler sees the old name in the row and decides.
    if (Raise(QUARN_EVENT_NAMEEDITED) == 0 || row >= Count()) return;
    SetText(row, clean);
    if (m_view != nullptr) m_view->RowChanged(row, RowPart::Text);
    InvalidateRow(row);
    return;
  }
  SetText(row, clean);
  if (m_view != nullptr) m_view->RowChanged(row, RowPart::Text);
  InvalidateRow(row);
  Raise(QUARN_EVENT_EDITEND);
}

void ListModel::CommitDate(DWORD date) {
  if (!m_editing || m_editColumn != QUARN_COLUMN_DATE) return;
  int row = m_editRow;
  CloseEdit();
  if (row >= Count()) return;
  m_rows[row].data = date;
  RowTouched(row);
  if (m_view != nullptr) m_view->RowChanged(row, RowPart::Date);
  InvalidateRow(row);
  Raise(QUARN_EVENT_EDITEND);
}

void ListModel::CancelEdit() {
  if (!m_editing) return;
  CloseEdit();
}

}  // namespace quarn
