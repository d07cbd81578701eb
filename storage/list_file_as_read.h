#pragma once
// A list file kept as it was read: its bytes once, and for each record a few words saying
// what it holds and where its line and text lie in those bytes. Reading a long list so
// allocates nothing per item, and the lines of the records a save did not change are written
// back as they were read (FormatListFile, list_file_format.h). This is the one reader of list
// files. Lines are read whole, of any length:
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
// Any bytes are accepted. Pure; any thread.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/byte_scan.h"
#include "storage/list_file_format.h"
#include "storage/record_fields.h"

namespace storage {

// One record as read, with the fields it stands for (those of the item before it, for a line
// that takes them).
struct RecordAsRead : RecordFields {
  std::uint32_t lineAt = 0;    // where its line starts in the bytes
  std::uint32_t lineSize = 0;  // the line without its line end
  std::uint32_t textAt = 0;    // where its text starts; the text runs to the end of the line
  bool takesFieldsFromBefore = false;
};

// The memory of a list file as read, emptied, to be used again by the next file read or
// written: a long list's blocks, taken fresh from the system, cost more than reading the list.
struct ListFileBuffers {
  std::string bytes;
  std::vector<RecordAsRead> records;
};

class ListFileAsRead {
 public:
  ListFileAsRead() = default;
  // Reads bytes and keeps them; the records go into the memory of `room`, if it has enough.
  explicit ListFileAsRead(std::string bytes, std::vector<RecordAsRead> room = {});
  // Keeps bytes whose records are known already, as the writer knows them
  // (FormatListFileAsRead): records, noDate and holdsZeroByte must be what reading bytes gives.
  ListFileAsRead(std::string bytes, std::vector<RecordAsRead> records, bool noDate,
                 bool holdsZeroByte);

  bool NoDate() const { return m_noDate; }
  // The bytes hold a 0 byte somewhere. An item text ends at its first 0 byte in the list
  // boxes, so such a list cannot be shown and saved again without losing bytes.
  bool HoldsZeroByte() const { return m_holdsZeroByte; }
  std::size_t Count() const { return m_records.size(); }
  const RecordAsRead& Record(std::size_t index) const { return m_records[index]; }
  const RecordFields& Fields(std::size_t index) const { return m_records[index]; }
  std::string_view Text(std::size_t index) const;
  std::string_view Line(std::size_t index) const;
  // Whether the record at index has these fields and this text.
  bool Holds(std::size_t index, const RecordFields& fields, std::string_view text) const {
    return Fields(index) == fields && SameBytes(Text(index), text);
  }
  bool Holds(std::size_t index, const ListRecord& record) const {
    return Holds(index, record, record.text);
  }
  // Whether list is this file's list: the same kind and the same records in the same order.
  bool Holds(const ListToWrite& list) const;

  const std::string& Bytes() const { return m_bytes; }

  // Gives up this file's memory, emptied; the file is left empty.
  ListFileBuffers TakeBuffers();

  // The list with a string per record, to be edited and written.
  ListFileContent ToContent() const;

 private:
  std::string m_bytes;
  std::vector<RecordAsRead> m_records;
  bool m_noDate = false;
  bool m_holdsZeroByte = false;
};

}  // namespace storage
