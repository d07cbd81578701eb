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

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

// Finds for each record to write the first line of asRead, in its order, whose record equals
// it and that is not used yet. When the records are those of asRead one to one (a list only
// looked at), the line of each is its own and no table is built; otherwise the distinct
// records of asRead are kept in an open-addressing hash table, built once with no allocation
// per record.
class StoredLineFinder {
 public:
  StoredLineFinder(const ListFileContent& content, const ListFileAsRead* asRead) {
    if (asRead == nullptr) return;
    m_asRead = asRead;
    // With another marker setting the first line may have to be formatted, after which the
    // first unused line of a record is no longer its own.
    m_oneToOne = content.noDate == asRead->NoDate() && SameRecords(content, *asRead);
    if (m_oneToOne || asRead->Count() == 0) return;
    const std::size_t count = asRead->Count();
    std::size_t size = 2;
    while (size < 2 * count) size *= 2;
    m_slots.resize(size);
    m_nextEqual.assign(count, kNoLine);
    // From the last line back, so that each record's chain of equal lines runs in file order.
    for (std::size_t line = count; line-- > 0;) {
      const std::size_t hash = HashOfRecord(asRead->Fields(line), asRead->Text(line));
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

  // The line and whether it takes its fields from the record before it.
  std::string_view Line(std::size_t line) const { return m_asRead->Line(line); }
  bool TakesFieldsFromBefore(std::size_t line) const {
    return m_asRead->Record(line).takesFieldsFromBefore;
  }

 private:
  // One distinct record of asRead. A slot whose lines are all used keeps its record, so that
  // the records after it in the probe sequence are still found.
  struct Slot {
    std::size_t hash = 0;
    std::size_t first = kNoLine;   // a line with the record; kNoLine for an empty slot
    std::size_t unused = kNoLine;  // the first line with the record not used yet
  };

  static bool SameRecords(const ListFileContent& content, const ListFileAsRead& asRead) {
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
      if (slot.hash == hash && m_asRead->Fields(slot.first) == m_asRead->Fields(line) &&
          m_asRead->Text(slot.first) == m_asRead->Text(line)) {
        return at;
      }
    }
  }

  const ListFileAsRead* m_asRead = nullptr;
  bool m_oneToOne = false;
  std::vector<Slot> m_slots;             // a power of two of them, at most half of them full
  std::vector<std::size_t> m_nextEqual;  // for each line, the next line with an equal record
};

}  // namespace

bool operator==(const ListRecord& a, const ListRecord& b) {
  return static_cast<const RecordFields&>(a) == b && a.text == b.text;
}

std::string FormatListFile(const ListFileContent& content, const ListFileAsRead* asRead) {
  StoredLineFinder finder(content, asRead);
  std::string bytes;
  std::size_t expected = content.noDate ? kNoDateMarker.size() + kLineEnd.size() : 0;
  for (const ListRecord& record : content.records) expected += record.text.size() + 24;
  bytes.reserve(expected);
  if (content.noDate) {
    bytes += kNoDateMarker;
    bytes += kLineEnd;
  }
  const ListRecord start;  // what a line without fields takes at the top: 0 and 0/0/0
  for (std::size_t index = 0; index < content.records.size(); ++index) {
    const ListRecord& record = content.records[index];
    std::size_t slot = 0;
    const std::size_t stored = finder.Find(content, index, &slot);
    bool reused = false;
    if (stored != kNoLine) {
      const ListRecord& before = index == 0 ? start : content.records[index - 1];
      const bool fieldsHold = !finder.TakesFieldsFromBefore(stored) ||
                              static_cast<const RecordFields&>(before) == record;
      const bool markerHolds = content.noDate || index > 0 || finder.Line(stored) != kNoDateMarker;
      reused = fieldsHold && markerHolds;
    }
    if (reused) {
      finder.Use(slot);
      bytes.append(finder.Line(stored));
    } else {
      AppendFormatted(&bytes, record);
    }
    bytes += kLineEnd;
  }
  return bytes;
}

}  // namespace storage
