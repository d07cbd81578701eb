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
// line, which ParseRecord then reads.
bool ParsePlainRecord(std::string_view line, RecordAsRead* record, std::size_t* textStart) {
  int fields[4];
  std::size_t pos = 0;
  for (int& field : fields) {
    const std::size_t start = pos;
    int value = 0;
    while (pos < line.size() && pos - start < 9 && line[pos] >= '0' && line[pos] <= '9') {
      value = value * 10 + (line[pos] - '0');
      ++pos;
    }
    if (pos == start || pos >= line.size() || line[pos] != ',') return false;
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
  std::string_view rest = m_bytes;
  m_records.clear();
  m_records.reserve(CountByteNotingZero(rest, '\n', &m_holdsZeroByte) + 1);
  storage::Line line;
  bool first = true;
  RecordAsRead before;  // the fields a line without its own take: first 0 and 0/0/0
  while (TakeLine(&rest, &line)) {
    const std::size_t lineAt = static_cast<std::size_t>(line.text.data() - m_bytes.data());
    if (first && line.ended && line.text == kNoDateMarker) {
      m_noDate = true;
    } else {
      RecordAsRead record;
      record.lineAt = static_cast<std::uint32_t>(lineAt);
      record.lineSize = static_cast<std::uint32_t>(line.text.size());
      std::size_t textStart = 0;
      const int window =
          static_cast<int>(std::min<std::size_t>(line.text.size(), kRecordCommaWindow));
      if (!ParsePlainRecord(line.text, &record, &textStart) &&
          (FindSeparator(line.text.data(), window, ',') < 0 ||
           !ParseRecord(line.text, &record, &textStart))) {
        static_cast<RecordFields&>(record) = before;
        record.takesFieldsFromBefore = true;
        textStart = 0;
      }
      record.textAt = static_cast<std::uint32_t>(lineAt + textStart);
      m_records.push_back(record);
      before = record;
    }
    first = false;
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
