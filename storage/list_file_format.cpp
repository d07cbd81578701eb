#include "storage/list_file_format.h"

#include <algorithm>
#include <climits>

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

void ParseItemLine(std::string_view line, const ListRecord& before, ListRecord* record) {
  const int window = static_cast<int>(std::min<std::size_t>(line.size(), kRecordCommaWindow));
  if (FindSeparator(line.data(), window, ',') >= 0 && ParseRecord(line, record)) return;
  CopyFields(before, record);
  record->text.assign(line);
}

void AppendNumber(std::string* out, long long value) {
  *out += std::to_string(value);
  *out += ',';
}

}  // namespace

bool operator==(const ListRecord& a, const ListRecord& b) {
  return a.done == b.done && a.year == b.year && a.month == b.month && a.day == b.day &&
         a.text == b.text;
}

ListFileContent ParseListFile(std::string_view bytes) {
  ListFileContent content;
  Line line;
  bool first = true;
  ListRecord before;  // the fields a line without its own take: first 0 and 0/0/0
  while (TakeLine(&bytes, &line)) {
    if (first && line.ended && line.text == kNoDateMarker) {
      content.noDate = true;
    } else {
      content.records.emplace_back();
      ParseItemLine(line.text, before, &content.records.back());
      CopyFields(content.records.back(), &before);
    }
    first = false;
  }
  return content;
}

std::string FormatListFile(const ListFileContent& content) {
  std::string bytes;
  if (content.noDate) {
    bytes += kNoDateMarker;
    bytes += kLineEnd;
  }
  for (const ListRecord& record : content.records) {
    AppendNumber(&bytes, record.done);
    AppendNumber(&bytes, record.year);
    AppendNumber(&bytes, record.month);
    AppendNumber(&bytes, record.day);
    AppendWithoutLineBreaks(&bytes, record.text);
    bytes += kLineEnd;
  }
  return bytes;
}

}  // namespace storage
