#include "storage/list_file_format.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "storage/byte_scan.h"
#include "storage/lines.h"
#include "storage/list_file_as_read.h"
#include "storage/record_fields.h"
#include "storage/stored_lines.h"

namespace storage {

namespace {

// Whether the line of asRead's record `line` is followed there by CR LF and then by the next
// record's line.
bool EndsWithCrLf(const ListFileAsRead& asRead, std::size_t line) {
  if (line + 1 >= asRead.Count()) return false;
  const RecordAsRead& record = asRead.Record(line);
  return asRead.Record(line + 1).lineAt == record.lineAt + record.lineSize + kLineEnd.size();
}

// Writes list: the marker line when noDate, then one line per record, each ending with CR LF;
// with records, also where each record's line and text lie in what was written.
// Returns whether what was written holds a zero byte.
bool WriteList(const ListToWrite& list, const ListFileAsRead* asRead, std::string* bytes,
               std::vector<RecordAsRead>* records) {
  const std::vector<std::uint32_t> stored =
      asRead != nullptr ? ChooseStoredLines(list, *asRead)
                        : std::vector<std::uint32_t>(list.records.size(), kNoStoredLine);
  std::size_t expected = list.noDate ? kNoDateMarker.size() + kLineEnd.size() : 0;
  for (const RecordToWrite& record : list.records) expected += record.text.size() + 24;
  bytes->clear();
  bytes->reserve(expected);
  if (records != nullptr) {
    records->clear();
    records->reserve(list.records.size());
  }
  if (list.noDate) {
    *bytes += kNoDateMarker;
    *bytes += kLineEnd;
  }
  // A zero byte comes from a formatted text, or from lines kept of a file that held one.
  bool zero = false;
  for (std::size_t index = 0; index < list.records.size();) {
    if (stored[index] != kNoStoredLine) {
      // A run of lines that follow each other in the file as read, each ended with CR LF
      // there, is written with one copy: the lines a save did not change, end to end.
      std::size_t last = index;
      while (last + 1 < list.records.size() && stored[last + 1] == stored[last] + 1 &&
             EndsWithCrLf(*asRead, stored[last])) {
        ++last;
      }
      const RecordAsRead& first = asRead->Record(stored[index]);
      const RecordAsRead& end = asRead->Record(stored[last]);
      const std::size_t runAt = bytes->size();
      bytes->append(asRead->Bytes(), first.lineAt, end.lineAt + end.lineSize - first.lineAt);
      *bytes += kLineEnd;
      if (records != nullptr) {
        // The run's records as read, copied at once, then moved to where the run now lies.
        const std::size_t runFirst = records->size();
        records->insert(records->end(), &first, &end + 1);
        const std::uint32_t shift = static_cast<std::uint32_t>(runAt - first.lineAt);
        if (shift != 0) {
          for (auto written = records->begin() + static_cast<std::ptrdiff_t>(runFirst);
               written != records->end(); ++written) {
            written->lineAt += shift;
            written->textAt += shift;
          }
        }
      }
      index = last + 1;
      continue;
    }
    const RecordToWrite& record = list.records[index];
    const std::size_t lineAt = bytes->size();
    zero = zero || FindByte(record.text, '\0') != std::string_view::npos;
    const FormattedFields fields = FormatFields(record);
    bytes->append(fields.bytes, fields.size);
    AppendWithoutLineBreaks(bytes, record.text);
    const std::size_t lineSize = bytes->size() - lineAt;
    *bytes += kLineEnd;
    if (records != nullptr) {
      RecordAsRead written;
      static_cast<RecordFields&>(written) = record;
      written.lineAt = static_cast<std::uint32_t>(lineAt);
      written.lineSize = static_cast<std::uint32_t>(lineSize);
      written.textAt = static_cast<std::uint32_t>(lineAt + fields.size);
      written.takesFieldsFromBefore = false;
      records->push_back(written);
    }
    ++index;
  }
  if (asRead != nullptr && asRead->HoldsZeroByte())
    zero = FindByte(*bytes, '\0') != std::string_view::npos;
  return zero;
}

}  // namespace

bool operator==(const ListRecord& a, const ListRecord& b) {
  return static_cast<const RecordFields&>(a) == b && a.text == b.text;
}

ListToWrite ViewOf(const ListFileContent& content) {
  ListToWrite list;
  list.noDate = content.noDate;
  list.records.reserve(content.records.size());
  for (const ListRecord& record : content.records) {
    RecordToWrite view;
    static_cast<RecordFields&>(view) = record;
    view.text = record.text;
    list.records.push_back(view);
  }
  return list;
}

std::string FormatListFile(const ListFileContent& content, const ListFileAsRead* asRead) {
  std::string bytes;
  WriteList(ViewOf(content), asRead, &bytes, nullptr);
  return bytes;
}

ListFileAsRead FormatListFileAsRead(const ListToWrite& list, const ListFileAsRead* asRead,
                                    ListFileBuffers* room) {
  std::string bytes;
  std::vector<RecordAsRead> records;
  if (room != nullptr) {
    bytes.swap(room->bytes);
    records.swap(room->records);
  }
  const bool zero = WriteList(list, asRead, &bytes, &records);
  return ListFileAsRead(std::move(bytes), std::move(records), list.noDate, zero);
}

}  // namespace storage
