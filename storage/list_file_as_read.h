#pragma once
// A list file kept as it was read: its bytes once, and for each record a few words saying
// what it holds and where its line and text lie in those bytes. Reading a long list so
// allocates nothing per item, and a list that is only looked at is written back from its own
// bytes. This is the one reader of list files, by the rules ParseListFile states
// (list_file_format.h); ParseListFile gives the same list with a string per record. Pure;
// any thread.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

class ListFileAsRead {
 public:
  ListFileAsRead() = default;
  // Reads bytes and keeps them.
  explicit ListFileAsRead(std::string bytes);

  bool NoDate() const { return m_noDate; }
  // The bytes hold a 0 byte somewhere (see ListFileContent::holdsZeroByte).
  bool HoldsZeroByte() const { return m_holdsZeroByte; }
  std::size_t Count() const { return m_records.size(); }
  const RecordAsRead& Record(std::size_t index) const { return m_records[index]; }
  const RecordFields& Fields(std::size_t index) const { return m_records[index]; }
  std::string_view Text(std::size_t index) const;
  std::string_view Line(std::size_t index) const;
  // Whether the record at index equals record, text included.
  bool Holds(std::size_t index, const ListRecord& record) const;

  // Whether these records written back, each as its line is stored (FormatListFile with
  // content equal to them), give these very bytes: every line ended with CR LF.
  bool WritesBackUnchanged() const { return m_writesBackUnchanged; }
  const std::string& Bytes() const { return m_bytes; }

  // The same list as ParseListFile gives it: a string per record, and the stored lines.
  ListFileContent ToContent() const;

 private:
  std::string m_bytes;
  std::vector<RecordAsRead> m_records;
  bool m_noDate = false;
  bool m_holdsZeroByte = false;
  bool m_writesBackUnchanged = true;
};

// The bytes of a list file for content, as FormatListFile (list_file_format.h) writes them
// with asRead the file being replaced.
std::string FormatListFile(const ListFileContent& content, const ListFileAsRead& asRead);

}  // namespace storage
