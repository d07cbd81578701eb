#pragma once
// A list file, "<name>.lst": an optional first line "NO_DATE" marking a list whose items show
// no due dates, then one record line per item, top first, written as
// "<done>,<year>,<month>,<day>,<text>" and CR LF. Texts are code page 932 bytes, stored as
// they are, with no escapes. Pure; any thread.

#include <string>
#include <string_view>
#include <vector>

#include "storage/record_fields.h"

namespace storage {

inline constexpr std::string_view kNoDateMarker = "NO_DATE";

// One item as stored. The date fields are those of the calendar date an item's packed date
// stands for; a packed date of 0 is the date 0/0/0.
struct ListRecord : RecordFields {
  std::string text;
};

bool operator==(const ListRecord& a, const ListRecord& b);
inline bool operator!=(const ListRecord& a, const ListRecord& b) {
  return !(a == b);
}

// One record line as it was read: its bytes without the line end, and whether it takes its
// done flag and date from the item before it (a line that is not a full record: its bytes are
// only the text). Most lines are exactly their record as FormatListFile formats it; such a
// line is kept as asFormatted with no bytes, so that a long list is not held twice.
struct StoredLine {
  std::string bytes;
  bool takesFieldsFromBefore = false;
  bool asFormatted = false;  // the bytes are those of the record formatted; bytes is empty
};

bool operator==(const StoredLine& a, const StoredLine& b);
inline bool operator!=(const StoredLine& a, const StoredLine& b) {
  return !(a == b);
}

struct ListFileContent {
  bool noDate = false;              // the file begins with the marker line
  std::vector<ListRecord> records;  // the items, top first
  // The line each record was read from, parallel to records; empty for content made in memory.
  std::vector<StoredLine> lines;
  // The bytes held a 0 byte somewhere. An item text ends at its first 0 byte in the list
  // boxes, so such a list cannot be shown and saved again without losing bytes.
  bool holdsZeroByte = false;
};

// The list held in the bytes of a list file, with the stored form of each record line. Lines
// are read whole, of any length:
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
// per item, each ending with CR LF.
//
// A record is written as it was read when asRead (what ParseListFile gave for the file being
// replaced) holds an equal record whose stored line is not used yet: the first such line, in
// the order of asRead, is written again byte for byte, so a list that was only looked at is
// written back as it was, line ends aside (LF and a missing last line end become CR LF), and
// an edit changes only the lines of the records it changed. That line is written instead of
// a formatted one only when it reads back as the same record where it lands:
// - a line that takes its fields from the item before needs the record written before it (for
//   the first record: 0 and 0/0/0) to have the same done flag and date;
// - the first line is "NO_DATE" only when it is the marker.
// Otherwise, and for every other record, the line is formatted: "<done>,<year>,<month>,<day>,
// <text>", where a line break inside the text becomes one space, so every item comes back as
// one item. ParseListFile gives the records written back exactly (but for such line breaks).
//
// When linesWritten is not null it is set to the stored form of each line written, parallel
// to content.records, so that content with these lines can be the next asRead.
std::string FormatListFile(const ListFileContent& content, const ListFileContent* asRead = nullptr,
                           std::vector<StoredLine>* linesWritten = nullptr);

}  // namespace storage
