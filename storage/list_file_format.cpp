#include "storage/list_file_format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstddef>
#include <functional>
#include <utility>

#include "storage/byte_scan.h"
#include "storage/find_separator.h"
#include "storage/lines.h"

namespace storage {

namespace {

// Only this many bytes at the start of a line decide whether it is a record.
constexpr int kRecordCommaWindow = 80;

bool IsWhiteSpace(char byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// A decimal number as the C library reads one, but with too large a value held at the
// nearest int instead of being undefined.
int ParseDecimal(std::string_view field) {
  std::size_t pos = 0;
  while (pos < field.size() && IsWhiteSpace(field[pos])) ++pos;
  bool negative = false;
  if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) {
    negative = field[pos] == '-';
    ++pos;
  }
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long value = 0;
  for (; pos < field.size() && field[pos] >= '0' && field[pos] <= '9'; ++pos) {
    value = value * 10 + (field[pos] - '0');
    if (value > limit) value = limit;
  }
  return static_cast<int>(negative ? -value : value);
}

// Splits a record line; false when it has fewer than four fields.
bool ParseRecord(std::string_view line, ListRecord* record) {
  int fields[4];
  std::size_t pos = 0;
  for (int& field : fields) {
    while (pos < line.size() && line[pos] == ',') ++pos;
    if (pos == line.size()) return false;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ',') ++pos;
    field = ParseDecimal(line.substr(start, pos - start));
  }
  record->done = fields[0];
  record->year = static_cast<std::uint16_t>(fields[1]);
  record->month = static_cast<std::uint16_t>(fields[2]);
  record->day = static_cast<std::uint16_t>(fields[3]);
  record->text.assign(pos < line.size() ? line.substr(pos + 1) : std::string_view());
  return true;
}

// Everything of a record but its text.
void CopyFields(const ListRecord& from, ListRecord* to) {
  to->done = from.done;
  to->year = from.year;
  to->month = from.month;
  to->day = from.day;
}

// Reads one item line; false when it is not a full record and took the fields of before.
bool ParseItemLine(std::string_view line, const ListRecord& before, ListRecord* record) {
  const int window = static_cast<int>(std::min<std::size_t>(line.size(), kRecordCommaWindow));
  if (FindSeparator(line.data(), window, ',') >= 0 && ParseRecord(line, record)) return true;
  CopyFields(before, record);
  record->text.assign(line);
  return false;
}

bool SameFields(const ListRecord& a, const ListRecord& b) {
  return a.done == b.done && a.year == b.year && a.month == b.month && a.day == b.day;
}

// The four fields of a record, each followed by its comma: at most 4 * 11 + 4 bytes.
struct FormattedFields {
  char bytes[48];
  std::size_t size = 0;
};

FormattedFields FormatFields(const ListRecord& record) {
  FormattedFields fields;
  char* at = fields.bytes;
  char* const end = fields.bytes + sizeof fields.bytes;
  for (const int value : {record.done, static_cast<int>(record.year),
                          static_cast<int>(record.month), static_cast<int>(record.day)}) {
    at = std::to_chars(at, end, value).ptr;
    *at++ = ',';
  }
  fields.size = static_cast<std::size_t>(at - fields.bytes);
  return fields;
}

void AppendFormatted(std::string* out, const ListRecord& record) {
  const FormattedFields fields = FormatFields(record);
  out->append(fields.bytes, fields.size);
  AppendWithoutLineBreaks(out, record.text);
}

// Whether a line that ParseRecord read into record is written back the same by
// AppendFormatted. Its text is the rest of the line, which holds no line feed, so only the
// fields can differ: another spelling of a number, extra commas or white space.
bool IsAsFormatted(std::string_view line, const ListRecord& record) {
  const FormattedFields fields = FormatFields(record);
  return line.size() == fields.size + record.text.size() &&
         line.compare(0, fields.size, std::string_view(fields.bytes, fields.size)) == 0;
}

// The bytes a stored line stands for, written for record.
void AppendStored(std::string* out, const StoredLine& line, const ListRecord& record) {
  if (line.asFormatted) {
    AppendFormatted(out, record);
  } else {
    out->append(line.bytes);
  }
}

std::size_t HashOf(const ListRecord& record) {
  std::size_t hash = std::hash<std::string_view>()(record.text);
  const auto mix = [&hash](std::uint64_t value) {
    hash ^= std::hash<std::uint64_t>()(value) + 0x9E3779B9u + (hash << 6) + (hash >> 2);
  };
  mix(static_cast<std::uint32_t>(record.done));
  mix((static_cast<std::uint64_t>(record.year) << 32) |
      (static_cast<std::uint64_t>(record.month) << 16) | record.day);
  return hash;
}

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// Finds for each record to write the first stored line of asRead, in its order, whose record
// equals it and that is not used yet. When the records are those of asRead one to one (a list
// only looked at), the line of each is its own and no table is built; otherwise the distinct
// records of asRead are kept in an open-addressing hash table, built once with no allocation
// per record.
class StoredLineFinder {
 public:
  StoredLineFinder(const ListFileContent& content, const ListFileContent* asRead) {
    if (asRead == nullptr || asRead->lines.size() != asRead->records.size()) return;
    asRead_ = asRead;
    // With another marker setting the first line may have to be formatted, after which the
    // first unused line of a record is no longer its own.
    oneToOne_ = &content == asRead ||
                (content.noDate == asRead->noDate && content.records == asRead->records);
    if (oneToOne_ || asRead->records.empty()) return;
    const std::vector<ListRecord>& records = asRead->records;
    std::size_t size = 2;
    while (size < 2 * records.size()) size *= 2;
    slots_.resize(size);
    nextEqual_.assign(records.size(), kNoLine);
    // From the last line back, so that each record's chain of equal lines runs in file order.
    for (std::size_t line = records.size(); line-- > 0;) {
      const std::size_t hash = HashOf(records[line]);
      Slot& slot = slots_[SlotOf(records[line], hash)];
      if (slot.first == kNoLine) {
        slot.hash = hash;
        slot.first = line;
      } else {
        nextEqual_[line] = slot.unused;
      }
      slot.unused = line;
    }
  }

  // The stored line for the index-th record of content, or kNoLine. *slot is what Use needs.
  std::size_t Find(const ListFileContent& content, std::size_t index, std::size_t* slot) const {
    if (asRead_ == nullptr) return kNoLine;
    if (oneToOne_) return index;
    if (slots_.empty()) return kNoLine;
    const ListRecord& record = content.records[index];
    *slot = SlotOf(record, HashOf(record));
    return slots_[*slot].unused;
  }

  // Marks the line Find gave as used, so that an equal record after it gets the next one.
  void Use(std::size_t slot) {
    if (oneToOne_) return;
    slots_[slot].unused = nextEqual_[slots_[slot].unused];
  }

  const StoredLine& Line(std::size_t line) const { return asRead_->lines[line]; }

 private:
  // One distinct record of asRead. A slot whose lines are all used keeps its record, so that
  // the records after it in the probe sequence are still found.
  struct Slot {
    std::size_t hash = 0;
    std::size_t first = kNoLine;   // a line with the record; kNoLine for an empty slot
    std::size_t unused = kNoLine;  // the first line with the record not used yet
  };

  // The slot that holds record, or the empty one where it would go.
  std::size_t SlotOf(const ListRecord& record, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.first == kNoLine) return at;
      if (slot.hash == hash && asRead_->records[slot.first] == record) return at;
    }
  }

  const ListFileContent* asRead_ = nullptr;  // null when it has no stored lines
  bool oneToOne_ = false;
  std::vector<Slot> slots_;             // a power of two of them, at most half of them full
  std::vector<std::size_t> nextEqual_;  // for each line, the next line with an equal record
};

}  // namespace

bool operator==(const ListRecord& a, const ListRecord& b) {
  return SameFields(a, b) && a.text == b.text;
}

bool operator==(const StoredLine& a, const StoredLine& b) {
  return a.bytes == b.bytes && a.takesFieldsFromBefore == b.takesFieldsFromBefore &&
         a.asFormatted == b.asFormatted;
}

ListFileContent ParseListFile(std::string_view bytes) {
  ListFileContent content;
  content.holdsZeroByte = FindByte(bytes, '\0') != std::string_view::npos;
  const std::size_t lines = CountByte(bytes, '\n') + 1;
  content.records.reserve(lines);
  content.lines.reserve(lines);
  Line line;
  bool first = true;
  ListRecord before;  // the fields a line without its own take: first 0 and 0/0/0
  while (TakeLine(&bytes, &line)) {
    if (first && line.ended && line.text == kNoDateMarker) {
      content.noDate = true;
    } else {
      content.records.emplace_back();
      const ListRecord& record = content.records.back();
      const bool full = ParseItemLine(line.text, before, &content.records.back());
      if (full && IsAsFormatted(line.text, record)) {
        content.lines.push_back(StoredLine{std::string(), false, true});
      } else {
        content.lines.push_back(StoredLine{std::string(line.text), !full, false});
      }
      CopyFields(record, &before);
    }
    first = false;
  }
  return content;
}

std::string FormatListFile(const ListFileContent& content, const ListFileContent* asRead,
                           std::vector<StoredLine>* linesWritten) {
  StoredLineFinder finder(content, asRead);
  std::string bytes;
  std::size_t expected = content.noDate ? kNoDateMarker.size() + kLineEnd.size() : 0;
  for (const ListRecord& record : content.records) expected += record.text.size() + 24;
  bytes.reserve(expected);
  if (content.noDate) {
    bytes += kNoDateMarker;
    bytes += kLineEnd;
  }
  // Filled aside and handed over at the end, so linesWritten may be asRead's own lines.
  std::vector<StoredLine> written;
  if (linesWritten != nullptr) written.reserve(content.records.size());
  const ListRecord start;  // what a line without fields takes at the top: 0 and 0/0/0
  for (std::size_t index = 0; index < content.records.size(); ++index) {
    const ListRecord& record = content.records[index];
    const StoredLine* reused = nullptr;
    std::size_t slot = 0;
    const std::size_t stored = finder.Find(content, index, &slot);
    if (stored != kNoLine) {
      const StoredLine& line = finder.Line(stored);
      const ListRecord& before = index == 0 ? start : content.records[index - 1];
      const bool fieldsHold = !line.takesFieldsFromBefore || SameFields(before, record);
      const bool markerHolds =
          content.noDate || index > 0 || line.asFormatted || line.bytes != kNoDateMarker;
      if (fieldsHold && markerHolds) {
        reused = &line;
        finder.Use(slot);
      }
    }
    if (reused != nullptr) {
      AppendStored(&bytes, *reused, record);
    } else {
      AppendFormatted(&bytes, record);
    }
    if (linesWritten != nullptr) {
      if (reused == nullptr || reused->asFormatted) {
        written.push_back(StoredLine{std::string(), false, true});
      } else {
        written.push_back(*reused);
      }
    }
    bytes += kLineEnd;
  }
  if (linesWritten != nullptr) *linesWritten = std::move(written);
  return bytes;
}

}  // namespace storage
