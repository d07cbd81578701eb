#pragma once
// The four fields of a record as a list file holds them (done flag, year, month, day), their
// comparison, and the one way the tool writes them: decimal, each followed by its comma.
// Pure; any thread.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace storage {

struct RecordFields {
  int done = 0;  // 0 open, else done; kept as stored
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
};

inline bool operator==(const RecordFields& a, const RecordFields& b) {
  return a.done == b.done && a.year == b.year && a.month == b.month && a.day == b.day;
}
inline bool operator!=(const RecordFields& a, const RecordFields& b) {
  return !(a == b);
}

// A hash of a record's fields and its text, for tables of records.
inline std::size_t HashOfRecord(const RecordFields& fields, std::string_view text) {
  std::size_t hash = std::hash<std::string_view>()(text);
  const auto mix = [&hash](std::uint64_t value) {
    hash ^= std::hash<std::uint64_t>()(value) + 0x9E3779B9u + (hash << 6) + (hash >> 2);
  };
  mix(static_cast<std::uint32_t>(fields.done));
  mix((static_cast<std::uint64_t>(fields.year) << 32) |
      (static_cast<std::uint64_t>(fields.month) << 16) | fields.day);
  return hash;
}

// At most 4 * 11 + 4 bytes.
struct FormattedFields {
  char bytes[48];
  std::size_t size = 0;
  std::string_view View() const { return std::string_view(bytes, size); }
};

inline FormattedFields FormatFields(const RecordFields& record) {
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

}  // namespace storage
