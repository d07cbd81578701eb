#include "storage/list_file_as_read.h"

#include <algorithm>
#include <utility>

#include "storage/byte_scan.h"
#include "storage/decimal.h"
#include "storage/find_separator.h"
#include "storage/lines.h"
#include "storage/record_fields.h"

namespace storage {

namespace {

// Only this many bytes at the start of a line decide whether it is a record.
constexpr int kRecordCommaWindow = 80;

// Splits a record line into its fields and sets *textStart to where its text begins; false
// when it has fewer than four fields.
bool ParseRecord(std::string_view line, RecordAsRead* record, std::size_t* textStart) {
  int fields[4];
  std::size_t pos = 0;
  for (int& field : fields) {
    while (pos < line.size() && line[pos] == ',') ++pos;
    if (pos == line.size()) return false;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ',') ++pos;
    field = ParseClampedDecimal(line.substr(start, pos - start));
  }
  record->done = fields[0];
  record->year = static_cast<std::uint16_t>(fields[1]);
  record->month = static_cast<std::uint16_t>(fields[2]);
  record->day = static_cast<std::uint16_t>(fields[3]);
  *textStart = pos < line.size() ? pos + 1 : line.size();
  return true;
}

// The common record line, four fields of one to nine digits each followed by a comma, read
// as FindSeparator and ParseRecord read it (here they find no white space, sign, run of
// commas or number to clamp): its fields, and where its text begins. False for any other
// line, which ParseRecord then reads. The line's bytes must be followed by a byte that is
// neither a digit nor a comma, as its line end or the zero after a string's bytes are: a field
// then ends there without the line's size being looked at, so that the line end need not be
// known before the fields are read.
bool ParsePlainRecord(const char* line, RecordAsRead* record, std::size_t* textStart) {
  int fields[4];
  std::size_t pos = 0;
  for (int& field : fields) {
    const std::size_t start = pos;
    int value = 0;
    while (pos - start < 9 && line[pos] >= '0' && line[pos] <= '9') {
      value = value * 10 + (line[pos] - '0');
      ++pos;
    }
    if (pos == start || line[pos] != ',') return false;
    field = value;
    ++pos;
  }
  record->done = fields[0];
  record->year = static_cast<std::uint16_t>(fields[1]);
  record->month = static_cast<std::uint16_t>(fields[2]);
  record->day = static_cast<std::uint16_t>(fields[3]);
  *textStart = pos;
  return true;
}

}  // namespace

ListFileAsRead::ListFileAsRead(std::string bytes, std::vector<RecordAsRead> room)
    : m_bytes(std::move(bytes)), m_records(std::move(room)) {
  // The bytes are followed by the zero every string keeps, which ParsePlainRecord relies on.
  const char* const data = m_bytes.data();
  const std::size_t size = m_bytes.size();
  m_records.clear();
  m_records.reserve(CountByteNotingZero(m_bytes, '\n', &m_holdsZeroByte) + 1);
  LineFeedFinder feeds(m_bytes);
  for (std::size_t lineAt = 0; lineAt < size;) {
    // Filled in place; a line without fields of its own takes those of the record before.
    RecordAsRead& record = m_records.emplace_back();
    std::size_t textStart = 0;
    const bool plain = ParsePlainRecord(data + lineAt, &record, &textStart);
    // The line end is looked for from the text on: the fields hold no line feed.
    const std::size_t feed = feeds.NextFrom(lineAt + textStart);
    const bool ended = feed != std::string_view::npos;
    const std::size_t next = ended ? feed + 1 : size;
    const std::string_view line(data + lineAt,
                                LengthWithoutLineEnd({data + lineAt, next - lineAt}));
    if (lineAt == 0 && ended && line == kNoDateMarker) {
      m_noDate = true;
      m_records.pop_back();
    } else {
      record.lineAt = static_cast<std::uint32_t>(lineAt);
      record.lineSize = static_cast<std::uint32_t>(line.size());
      const int window = static_cast<int>(std::min<std::size_t>(line.size(), kRecordCommaWindow));
      if (!plain && (FindSeparator(line.data(), window, ',') < 0 ||
                     !ParseRecord(line, &record, &textStart))) {
        // For the first record, 0 and 0/0/0.
        const std::size_t count = m_records.size();
        static_cast<RecordFields&>(record) =
            count > 1 ? static_cast<const RecordFields&>(m_records[count - 2]) : RecordFields();
        record.takesFieldsFromBefore = true;
        textStart = 0;
      }
      record.textAt = static_cast<std::uint32_t>(lineAt + textStart);
    }
    lineAt = next;
  }
}

ListFileAsRead::ListFileAsRead(std::string bytes, std::vector<RecordAsRead> records, bool noDate,
                               bool holdsZeroByte)
    : m_bytes(std::move(bytes)),
      m_records(std::move(records)),
      m_noDate(noDate),
      m_holdsZeroByte(holdsZeroByte) {}

ListFileBuffers ListFileAsRead::TakeBuffers() {
  ListFileBuffers buffers{std::move(m_bytes), std::move(m_records)};
  buffers.bytes.clear();
  buffers.records.clear();
  m_bytes.clear();
  m_records.clear();
  m_noDate = false;
  m_holdsZeroByte = false;
  return buffers;
}

std::string_view ListFileAsRead::Text(std::size_t index) const {
  const RecordAsRead& record = m_records[index];
  return std::string_view(m_bytes.data() + record.textAt,
                          record.lineAt + record.lineSize - record.textAt);
}

std::string_view ListFileAsRead::Line(std::size_t index) const {
  const RecordAsRead& record = m_records[index];
  return std::string_view(m_bytes.data() + record.lineAt, record.lineSize);
}

bool ListFileAsRead::Holds(const ListToWrite& list) const {
  if (list.noDate != m_noDate || list.records.size() != m_records.size()) return false;
  const std::size_t count = m_records.size();
  const std::size_t head = std::min(list.sameHead, count);
  const std::size_t end = count - std::min(list.sameTail, count - head);
  for (std::size_t index = head; index < end; ++index) {
    if (!Holds(index, list.records[index], list.records[index].text)) return false;
  }
  return true;
}

ListFileContent ListFileAsRead::ToContent() const {
  ListFileContent content;
  content.noDate = m_noDate;
  content.records.reserve(m_records.size());
  for (std::size_t index = 0; index < m_records.size(); ++index) {
    ListRecord record;
    static_cast<RecordFields&>(record) = m_records[index];
    record.text.assign(Text(index));
    content.records.push_back(std::move(record));
  }
  return content;
}

}  // namespace storage
