#include "storage/list_file_format.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "storage/lines.h"
#include "storage/list_file_as_read.h"
#include "storage/record_fields.h"
#include "storage/stored_lines.h"

namespace storage {

namespace {

// Writes list: the marker line when noDate, then one line per record, each ending with CR LF;
// with records, also where each record's line and text lie in what was written.
void WriteList(const ListToWrite& list, const ListFileAsRead* asRead, std::string* bytes,
               std::vector<RecordAsRead>* records) {
  const std::vector<std::uint32_t> stored =
      asRead != nullptr ? ChooseStoredLines(list, *asRead)
                        : std::vector<std::uint32_t>(list.records.size(), kNoStoredLine);
  std::size_t expected = list.noDate ? kNoDateMarker.size() + kLineEnd.size() : 0;
  for (const RecordToWrite& record : list.records) expected += record.text.size() + 24;
  bytes->clear();
  bytes->reserve(expected);
  if (records != nullptr) records->reserve(list.records.size());
  if (list.noDate) {
    *bytes += kNoDateMarker;
    *bytes += kLineEnd;
  }
  for (std::size_t index = 0; index < list.records.size(); ++index) {
    const RecordToWrite& record = list.records[index];
    RecordAsRead written;
    const std::size_t lineAt = bytes->size();
    if (stored[index] != kNoStoredLine) {
      const RecordAsRead& read = asRead->Record(stored[index]);
      bytes->append(asRead->Line(stored[index]));
      written = read;
      written.textAt = static_cast<std::uint32_t>(lineAt + (read.textAt - read.lineAt));
    } else {
      const FormattedFields fields = FormatFields(record);
      bytes->append(fields.bytes, fields.size);
      AppendWithoutLineBreaks(bytes, record.text);
      static_cast<RecordFields&>(written) = record;
      written.textAt = static_cast<std::uint32_t>(lineAt + fields.size);
      written.takesFieldsFromBefore = false;
    }
    written.lineAt = static_cast<std::uint32_t>(lineAt);
    written.lineSize = static_cast<std::uint32_t>(bytes->size() - lineAt);
    *bytes += kLineEnd;
    if (records != nullptr) records->push_back(written);
  }
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

ListFileAsRead FormatListFileAsRead(const ListToWrite& list, const ListFileAsRead* asRead) {
  std::string bytes;
  std::vector<RecordAsRead> records;
  WriteList(list, asRead, &bytes, &records);
  return ListFileAsRead(std::move(bytes), std::move(records), list.noDate);
}

}  // namespace storage
