#pragma once
// A list file, "<name>.lst": an optional first line "NO_DATE" marking a list whose items show
// no due dates, then one record line per item, top first, written as
// "<done>,<year>,<month>,<day>,<text>" and CR LF. Texts are code page 932 bytes, stored as
// they are, with no escapes. Files are read by ListFileAsRead (list_file_as_read.h) and
// written by FormatListFile below. Pure; any thread.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/record_fields.h"

namespace storage {

class ListFileAsRead;
struct ListFileBuffers;

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

// A list to be written: its kind and its items.
struct ListFileContent {
  bool noDate = false;              // the file begins with the marker line
  std::vector<ListRecord> records;  // the items, top first
};

// One item to be written, its text a view of bytes kept elsewhere (the item box's rows, say),
// so that writing a long list copies each text once, into the file.
struct RecordToWrite : RecordFields {
  std::string_view text;
};

// A list to be written, its texts viewed: valid while the bytes they view are.
struct ListToWrite {
  bool noDate = false;
  std::vector<RecordToWrite> records;
  // How many records from the first on and from the last back are known, without comparing,
  // to equal the records at the same places of the file as read that they are written over
  // (the rows of an item box left as they were since it showed that file, say); 0 when
  // nothing is known. Records outside these runs are compared as ever.
  std::size_t sameHead = 0;
  std::size_t sameTail = 0;
};

// content viewed; valid while content is unchanged.
ListToWrite ViewOf(const ListFileContent& content);

// The bytes of a list file for content: the marker line when noDate, then one record line
// per item, each ending with CR LF.
//
// A record is written as it was read when asRead (the file being replaced, as read) holds an
// equal record whose line is not used yet: the first such line, in the order of asRead, is
// written again byte for byte, so a list that was only looked at is written back as it was,
// line ends aside (LF and a missing last line end become CR LF), and an edit changes only the
// lines of the records it changed. That line is written instead of a formatted one only when
// it reads back as the same record where it lands:
// - a line that takes its fields from the item before needs the record written before it (for
//   the first record: 0 and 0/0/0) to have the same done flag and date;
// - the first line is "NO_DATE" only when it is the marker.
// Otherwise, and for every other record, the line is formatted: "<done>,<year>,<month>,<day>,
// <text>", where a line break inside the text becomes one space, so every item comes back as
// one item. The bytes read back as the records written exactly (but for such line breaks).
std::string FormatListFile(const ListFileContent& content, const ListFileAsRead* asRead = nullptr);

// The same for a list viewed, given as the file as it reads back: the bytes, and where each
// record's line and text lie in them, known while writing, so that a save keeps what it wrote
// without reading it again.
// The bytes and records go into the memory of *room (taken), if given and large enough.
ListFileAsRead FormatListFileAsRead(const ListToWrite& list, const ListFileAsRead* asRead,
                                    ListFileBuffers* room = nullptr);

}  // namespace storage
