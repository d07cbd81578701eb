#include "storage/stored_lines.h"

#include <algorithm>
#include <bitset>
#include <string_view>

#include "storage/record_fields.h"

namespace storage {

namespace {

// Above this many records and lines outside the aligned runs, all lines go into the table.
constexpr std::size_t kFewUnaligned = 64;

// Whether the line of asRead's record `line` reads back as the index-th record of list where
// that record lands: a line that takes its fields from the item before needs the record
// written before it (for the first: 0 and 0/0/0) to have the same fields, and the first line
// is "NO_DATE" only when it is the marker.
bool Fits(const ListToWrite& list, std::size_t index, const ListFileAsRead& asRead,
          std::size_t line) {
  static const RecordFields kStart;
  const RecordFields& before = index == 0 ? kStart : list.records[index - 1];
  if (asRead.Record(line).takesFieldsFromBefore && !(before == list.records[index])) return false;
  return list.noDate || index > 0 || asRead.Line(line) != kNoDateMarker;
}

bool Same(const ListToWrite& list, std::size_t index, const ListFileAsRead& asRead,
          std::size_t line) {
  const RecordToWrite& record = list.records[index];
  return asRead.Holds(line, record, record.text);
}

// The distinct records of some of asRead's lines in an open-addressing hash table, each with
// its lines in file order; built once, with no allocation per line.
class LineTable {
 public:
  // lines: indexes of asRead's records, ascending.
  LineTable(const ListFileAsRead& asRead, std::vector<std::uint32_t> lines)
      : m_asRead(asRead), m_lines(std::move(lines)) {
    std::size_t size = 2;
    while (size < 2 * m_lines.size()) size *= 2;
    m_slots.resize(size);
    m_nextEqual.assign(m_lines.size(), kNone);
    // From the last line back, so that each record's chain of equal lines runs in file order.
    for (std::size_t at = m_lines.size(); at-- > 0;) {
      const std::uint32_t line = m_lines[at];
      const std::size_t hash = HashOfRecord(asRead.Fields(line), asRead.Text(line));
      Slot& slot = m_slots[SlotOf(hash, asRead.Fields(line), asRead.Text(line))];
      if (slot.first == kNoStoredLine) {
        slot.hash = hash;
        slot.first = line;
      } else {
        m_nextEqual[at] = slot.unused;
      }
      slot.unused = static_cast<std::uint32_t>(at);
    }
  }

  // The slot of record (the empty one where it would go, if none holds it).
  std::size_t Find(const RecordToWrite& record) const {
    return SlotOf(HashOfRecord(record, record.text), record, record.text);
  }
  // The first line of the slot's record not taken yet, or kNoStoredLine.
  std::uint32_t FirstUnused(std::size_t slot) const {
    const std::uint32_t at = m_slots[slot].unused;
    return at == kNone ? kNoStoredLine : m_lines[at];
  }
  // Takes that line, so that an equal record after it gets the next one.
  void Take(std::size_t slot) { m_slots[slot].unused = m_nextEqual[m_slots[slot].unused]; }

 private:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // One distinct record. A slot whose lines are all taken keeps its record, so that the
  // records after it in the probe sequence are still found.
  struct Slot {
    std::size_t hash = 0;
    std::uint32_t first = kNoStoredLine;  // a line with the record; none for an empty slot
    std::uint32_t unused = kNone;         // the first of its lines not taken, in m_lines
  };

  std::size_t SlotOf(std::size_t hash, const RecordFields& fields, std::string_view text) const {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = m_slots[at];
      if (slot.first == kNoStoredLine) return at;
      if (slot.hash == hash && m_asRead.Holds(slot.first, fields, text)) return at;
    }
  }

  const ListFileAsRead& m_asRead;
  std::vector<std::uint32_t> m_lines;
  std::vector<Slot> m_slots;               // a power of two of them, at most half of them full
  std::vector<std::uint32_t> m_nextEqual;  // for each of m_lines, the next with an equal record
};

// A few words of a record that equal records share, cheap to work out: a filter before the
// comparison with each of a few records.
std::size_t Sketch(const RecordFields& fields, std::size_t textSize) {
  std::size_t sketch = textSize * 0x9E3779B1u;
  sketch ^= static_cast<std::size_t>(fields.done) * 0x85EBCA77u;
  sketch ^=
      (static_cast<std::size_t>(fields.year) << 16 | fields.month << 8 | fields.day) * 0xC2B2AE3Du;
  return (sketch >> 7) & 4095;
}

// The records of some lines and records, held as fields and a view of their text.
class FewRecords {
 public:
  void Add(const RecordFields& fields, std::string_view text) {
    RecordToWrite record;
    static_cast<RecordFields&>(record) = fields;
    record.text = text;
    m_records.push_back(record);
    m_sketches.set(Sketch(fields, text.size()));
  }
  std::size_t Size() const { return m_records.size(); }
  bool Holds(const RecordToWrite& record) const {
    if (!m_sketches.test(Sketch(record, record.text.size()))) return false;
    for (const RecordToWrite& held : m_records) {
      if (held == record && held.text == record.text) return true;
    }
    return false;
  }

 private:
  std::vector<RecordToWrite> m_records;
  std::bitset<4096> m_sketches;
};

// Sets (*lines)[index] for the records that stand in aligned runs at the file's start and end
// and whose equal records and lines all do: each takes its own line. Records left at
// kNoStoredLine go through the table; *tableLines are the lines it must hold, ascending.
// False when too many are not aligned for this to pay.
bool AlignRuns(const ListToWrite& list, const ListFileAsRead& asRead,
               std::vector<std::uint32_t>* lines, std::vector<std::uint32_t>* tableLines) {
  const std::size_t records = list.records.size();
  const std::size_t stored = asRead.Count();
  const std::size_t shorter = std::min(records, stored);
  // Records known to be the same need no comparison.
  std::size_t head = std::min(list.sameHead, shorter);
  while (head < shorter && Same(list, head, asRead, head)) ++head;
  std::size_t tail = std::min(list.sameTail, shorter - head);
  while (tail < shorter - head && Same(list, records - 1 - tail, asRead, stored - 1 - tail)) {
    ++tail;
  }
  if ((records - head - tail) + (stored - head - tail) > kFewUnaligned) return false;
  const auto lineOf = [&](std::size_t index) {
    return index < head ? index : index - records + stored;
  };

  // The records a table must find: those outside the runs, those of the lines outside them,
  // and those of aligned records whose lines do not read back as them where they land.
  FewRecords dirty;
  for (std::size_t index = head; index < records - tail; ++index) {
    dirty.Add(list.records[index], list.records[index].text);
  }
  for (std::size_t line = head; line < stored - tail; ++line) {
    tableLines->push_back(static_cast<std::uint32_t>(line));
    dirty.Add(asRead.Fields(line), asRead.Text(line));
  }
  // A line reads back as its record where the record before it took the line before it: both
  // hold the same record, so a line that takes the fields of the one before finds them. Inside
  // the runs that leaves the first record (and the marker) and the first of the run at the end.
  const auto aligned = [&](std::size_t index) {
    return index < head || (index >= records - tail && index < records);
  };
  const std::size_t toLook[] = {0, records - tail};
  for (std::size_t look = 0; look < (toLook[1] == 0 ? 1 : 2); ++look) {
    const std::size_t index = toLook[look];
    if (!aligned(index)) continue;
    if (index > 0 && aligned(index - 1) && lineOf(index - 1) + 1 == lineOf(index)) continue;
    if (!Fits(list, index, asRead, lineOf(index))) {
      if (dirty.Size() == 2 * kFewUnaligned) return false;
      dirty.Add(list.records[index], list.records[index].text);
    }
  }
  for (std::size_t index = 0; index < records; ++index) {
    if (index == head) index = records - tail;
    if (index >= records) break;
    const std::size_t line = lineOf(index);
    if (dirty.Holds(list.records[index])) {
      tableLines->push_back(static_cast<std::uint32_t>(line));
    } else {
      (*lines)[index] = static_cast<std::uint32_t>(line);
    }
  }
  std::sort(tableLines->begin(), tableLines->end());
  return true;
}

}  // namespace

std::vector<std::uint32_t> ChooseStoredLines(const ListToWrite& list, const ListFileAsRead& asRead,
                                             LineMatching matching) {
  std::vector<std::uint32_t> lines(list.records.size(), kNoStoredLine);
  if (asRead.Count() == 0 || list.records.empty()) return lines;
  std::vector<std::uint32_t> tableLines;
  if (matching != LineMatching::kAlignedFirst || !AlignRuns(list, asRead, &lines, &tableLines)) {
    std::fill(lines.begin(), lines.end(), kNoStoredLine);
    tableLines.resize(asRead.Count());
    for (std::size_t line = 0; line < tableLines.size(); ++line) {
      tableLines[line] = static_cast<std::uint32_t>(line);
    }
  }
  if (tableLines.empty()) return lines;
  // An aligned record's class of equal records holds aligned records and lines only, in the
  // same order, so it takes its own line; the table answers for every other record.
  LineTable table(asRead, std::move(tableLines));
  for (std::size_t index = 0; index < list.records.size(); ++index) {
    if (lines[index] != kNoStoredLine) continue;
    const std::size_t slot = table.Find(list.records[index]);
    const std::uint32_t line = table.FirstUnused(slot);
    if (line != kNoStoredLine && Fits(list, index, asRead, line)) {
      lines[index] = line;
      table.Take(slot);
    }
  }
  return lines;
}

}  // namespace storage
