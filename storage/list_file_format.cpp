#include "storage/list_file_format.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <utility>

#include "storage/lines.h"
#include "storage/list_file_as_read.h"
#include "storage/record_fields.h"

namespace storage {

namespace {

void AppendFormatted(std::string* out, const ListRecord& record) {
  const FormattedFields fields = FormatFields(record);
  out->append(fields.bytes, fields.size);
  AppendWithoutLineBreaks(out, record.text);
}

std::size_t HashOf(const ListRecord& record) {
  return HashOfRecord(record, record.text);
}

// One stored line, wherever it is kept.
struct StoredLineView {
  std::string_view bytes;
  bool takesFieldsFromBefore = false;
  bool asFormatted = false;
};

// What the formatter needs of the file as read, in its two forms. Each gives the number of
// records, whether it has a stored line per record, whether record index equals a record or
// another of its records, the hash of record index as HashOf gives it, and stored line index.
class ContentAsRead {
 public:
  explicit ContentAsRead(const ListFileContent& content) : m_content(content) {}
  const ListFileContent* Content() const { return &m_content; }
  bool NoDate() const { return m_content.noDate; }
  std::size_t Count() const { return m_content.records.size(); }
  bool HasLines() const { return m_content.lines.size() == m_content.records.size(); }
  bool Holds(std::size_t index, const ListRecord& record) const {
    return m_content.records[index] == record;
  }
  bool Same(std::size_t a, std::size_t b) const {
    return m_content.records[a] == m_content.records[b];
  }
  std::size_t Hash(std::size_t index) const { return HashOf(m_content.records[index]); }
  StoredLineView Line(std::size_t index) const {
    const StoredLine& line = m_content.lines[index];
    return StoredLineView{line.bytes, line.takesFieldsFromBefore, line.asFormatted};
  }

 private:
  const ListFileContent& m_content;
};

class FileAsRead {
 public:
  explicit FileAsRead(const ListFileAsRead& file) : m_file(file) {}
  const ListFileContent* Content() const { return nullptr; }
  bool NoDate() const { return m_file.NoDate(); }
  std::size_t Count() const { return m_file.Count(); }
  bool HasLines() const { return true; }
  bool Holds(std::size_t index, const ListRecord& record) const {
    return m_file.Holds(index, record);
  }
  bool Same(std::size_t a, std::size_t b) const {
    return m_file.Fields(a) == m_file.Fields(b) && m_file.Text(a) == m_file.Text(b);
  }
  std::size_t Hash(std::size_t index) const {
    return HashOfRecord(m_file.Fields(index), m_file.Text(index));
  }
  StoredLineView Line(std::size_t index) const {
    return StoredLineView{m_file.Line(index), m_file.Record(index).takesFieldsFromBefore, false};
  }

 private:
  const ListFileAsRead& m_file;
};

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// Finds for each record to write the first stored line of asRead, in its order, whose record
// equals it and that is not used yet. When the records are those of asRead one to one (a list
// only looked at), the line of each is its own and no table is built; otherwise the distinct
// records of asRead are kept in an open-addressing hash table, built once with no allocation
// per record.
template <typename AsRead>
class StoredLineFinder {
 public:
  StoredLineFinder(const ListFileContent& content, const AsRead* asRead) {
    if (asRead == nullptr || !asRead->HasLines()) return;
    m_asRead = asRead;
    // With another marker setting the first line may have to be formatted, after which the
    // first unused line of a record is no longer its own.
    m_oneToOne = &content == asRead->Content() ||
                 (content.noDate == asRead->NoDate() && SameRecords(content, *asRead));
    if (m_oneToOne || asRead->Count() == 0) return;
    const std::size_t count = asRead->Count();
    std::size_t size = 2;
    while (size < 2 * count) size *= 2;
    m_slots.resize(size);
    m_nextEqual.assign(count, kNoLine);
    // From the last line back, so that each record's chain of equal lines runs in file order.
    for (std::size_t line = count; line-- > 0;) {
      const std::size_t hash = asRead->Hash(line);
      Slot& slot = m_slots[SlotOfLine(line, hash)];
      if (slot.first == kNoLine) {
        slot.hash = hash;
        slot.first = line;
      } else {
        m_nextEqual[line] = slot.unused;
      }
      slot.unused = line;
    }
  }

  // The stored line for the index-th record of content, or kNoLine. *slot is what Use needs.
  std::size_t Find(const ListFileContent& content, std::size_t index, std::size_t* slot) const {
    if (m_asRead == nullptr) return kNoLine;
    if (m_oneToOne) return index;
    if (m_slots.empty()) return kNoLine;
    const ListRecord& record = content.records[index];
    *slot = SlotOfRecord(record, HashOf(record));
    return m_slots[*slot].unused;
  }

  // Marks the line Find gave as used, so that an equal record after it gets the next one.
  void Use(std::size_t slot) {
    if (m_oneToOne) return;
    m_slots[slot].unused = m_nextEqual[m_slots[slot].unused];
  }

  StoredLineView Line(std::size_t line) const { return m_asRead->Line(line); }

 private:
  // One distinct record of asRead. A slot whose lines are all used keeps its record, so that
  // the records after it in the probe sequence are still found.
  struct Slot {
    std::size_t hash = 0;
    std::size_t first = kNoLine;   // a line with the record; kNoLine for an empty slot
    std::size_t unused = kNoLine;  // the first line with the record not used yet
  };

  static bool SameRecords(const ListFileContent& content, const AsRead& asRead) {
    if (content.records.size() != asRead.Count()) return false;
    for (std::size_t index = 0; index < content.records.size(); ++index) {
      if (!asRead.Holds(index, content.records[index])) return false;
    }
    return true;
  }

  // The slot that holds record, or the empty one where it would go.
  std::size_t SlotOfRecord(const ListRecord& record, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = m_slots[at];
      if (slot.first == kNoLine) return at;
      if (slot.hash == hash && m_asRead->Holds(slot.first, record)) return at;
    }
  }

  // The same for the record of one of asRead's own lines, while the table is built.
  std::size_t SlotOfLine(std::size_t line, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = m_slots[at];
      if (slot.first == kNoLine) return at;
      if (slot.hash == hash && m_asRead->Same(slot.first, line)) return at;
    }
  }

  const AsRead* m_asRead = nullptr;  // null when it has no stored lines
  bool m_oneToOne = false;
  std::vector<Slot> m_slots;             // a power of two of them, at most half of them full
  std::vector<std::size_t> m_nextEqual;  // for each line, the next line with an equal record
};

}  // namespace

bool operator==(const ListRecord& a, const ListRecord& b) {
  return static_cast<const RecordFields&>(a) == b && a.text == b.text;
}

bool operator==(const StoredLine& a, const StoredLine& b) {
  return a.bytes == b.bytes && a.takesFieldsFromBefore == b.takesFieldsFromBefore &&
         a.asFormatted == b.asFormatted;
}

ListFileContent ParseListFile(std::string_view bytes) {
  return ListFileAsRead(std::string(bytes)).ToContent();
}

namespace {

template <typename AsRead>
std::string Format(const ListFileContent& content, const AsRead* asRead,
                   std::vector<StoredLine>* linesWritten) {
  StoredLineFinder<AsRead> finder(content, asRead);
  std::string bytes;
  std::size_t expected = content.noDate ? kNoDateMarker.size() + kLineEnd.size() : 0;
  for (const ListRecord& record : content.records) expected += record.text.size() + 24;
  bytes.reserve(expected);
  if (content.noDate) {
    bytes += kNoDateMarker;
    bytes += kLineEnd;
  }
  // Filled aside and handed over at the end, so linesWritten may be asRead's own lines.
  std::vector<StoredLine> written;
  if (linesWritten != nullptr) written.reserve(content.records.size());
  const ListRecord start;  // what a line without fields takes at the top: 0 and 0/0/0
  for (std::size_t index = 0; index < content.records.size(); ++index) {
    const ListRecord& record = content.records[index];
    bool reused = false;
    StoredLineView line;
    std::size_t slot = 0;
    const std::size_t stored = finder.Find(content, index, &slot);
    if (stored != kNoLine) {
      line = finder.Line(stored);
      const ListRecord& before = index == 0 ? start : content.records[index - 1];
      const bool fieldsHold =
          !line.takesFieldsFromBefore || static_cast<const RecordFields&>(before) == record;
      const bool markerHolds =
          content.noDate || index > 0 || line.asFormatted || line.bytes != kNoDateMarker;
      if (fieldsHold && markerHolds) {
        reused = true;
        finder.Use(slot);
      }
    }
    if (reused && !line.asFormatted) {
      bytes.append(line.bytes);
    } else {
      AppendFormatted(&bytes, record);
    }
    if (linesWritten != nullptr) {
      if (!reused || line.asFormatted) {
        written.push_back(StoredLine{std::string(), false, true});
      } else {
        written.push_back(StoredLine{std::string(line.bytes), line.takesFieldsFromBefore, false});
      }
    }
    bytes += kLineEnd;
  }
  if (linesWritten != nullptr) *linesWritten = std::move(written);
  return bytes;
}

}  // namespace

std::string FormatListFile(const ListFileContent& content, const ListFileContent* asRead,
                           std::vector<StoredLine>* linesWritten) {
  if (asRead == nullptr) return Format<ContentAsRead>(content, nullptr, linesWritten);
  const ContentAsRead lines(*asRead);
  return Format(content, &lines, linesWritten);
}

std::string FormatListFile(const ListFileContent& content, const ListFileAsRead& asRead) {
  const FileAsRead lines(asRead);
  return Format(content, &lines, nullptr);
}

}  // namespace storage
