#pragma once
// A list file, "<name>.lst": an optional first line "NO_DATE" marking a list whose items show
// no due dates, then one record line per item, top first, written as
// "<done>,<year>,<month>,<day>,<text>" and CR LF. Texts are code page 932 bytes, stored as
// they are, with no escapes. Pure; any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

inline constexpr std::string_view kNoDateMarker = "NO_DATE";

// One item as stored. The date fields are those of the calendar date an item's packed date
// stands for; a packed date of 0 is the date 0/0/0.
struct ListRecord {
  int done = 0;  // 0 open, else done; kept as stored
  std::uint16_t year = 0;
  std::uint16_t month = 0;
  std::uint16_t day = 0;
  std::string text;
};

bool operator==(const ListRecord& a, const ListRecord& b);
inline bool operator!=(const ListRecord& a, const ListRecord& b) {
  return !(a == b);
}

struct ListFileContent {
  bool noDate = false;              // the file begins with the marker line
  std::vector<ListRecord> records;  // the items, top first
};

// The list held in the bytes of a list file. Lines are read whole, of any length:
// - the first line is the marker only when it is exactly "NO_DATE" and has a line end; a
//   marker line anywhere else, or without a line end, is an ordinary line;
// - a line with an unescaped comma (FindSeparator) among its first 80 bytes is a record: its
//   fields are split at commas, a run of commas counting as one and leading commas skipped;
//   the first four are done flag, year, month and day, read as decimal numbers (leading
//   white space and a sign allowed, reading stops at the first other byte, no digits give 0,
//   too large a number gives the nearest int; year, month and day keep their low 16 bits).
//   The text is everything after the comma that ends the day field, commas included;
// - a record whose day field ends the line has the empty text;
// - a record with fewer than four fields, and any line without such a comma, is taken whole
//   as the text of an item that has the done flag and date of the item before it (for the
//   first item: 0 and 0/0/0); so no byte of such a line is lost.
// Any bytes are accepted. Only 0 bytes give noDate false and no records.
ListFileContent ParseListFile(std::string_view bytes);

// The bytes of a list file for content: the marker line when noDate, then one record line
// per item, each ending with CR LF. A line break inside a text becomes one space, so every
// item comes back as one item; ParseListFile gives such content back exactly.
std::string FormatListFile(const ListFileContent& content);

}  // namespace storage
