#pragma once
// The four fields of a record as a list file holds them, written the one way the tool
// writes them: decimal, each followed by its comma. Pure; any thread.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace storage {

// At most 4 * 11 + 4 bytes.
struct FormattedFields {
  char bytes[48];
  std::size_t size = 0;
  std::string_view View() const { return std::string_view(bytes, size); }
};

inline FormattedFields FormatFields(int done, std::uint16_t year, std::uint16_t month,
                                    std::uint16_t day) {
  FormattedFields fields;
  char* at = fields.bytes;
  char* const end = fields.bytes + sizeof fields.bytes;
  for (const int value :
       {done, static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)}) {
    at = std::to_chars(at, end, value).ptr;
    *at++ = ',';
  }
  fields.size = static_cast<std::size_t>(at - fields.bytes);
  return fields;
}

}  // namespace storage
