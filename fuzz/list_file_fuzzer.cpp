// Any bytes read as a list file: no crash, and
// - what is read, written and read again is the same list, so that a save never changes a list
//   it did not touch;
// - written with the lines it was read from, it is the same bytes but for line ends (LF and a
//   missing last line end become CR LF), so that a save keeps the lines of records it did not
//   change; the only exception is a file of just "NO_DATE", which would be the marker once it
//   had a line end; and what is so written writes itself back unchanged;
// - edited (items deleted, moved, copied, ticked, the marker switched) and written with the
//   lines it was read from, it reads back as edited, whichever lines were kept; the lines kept
//   are the same whether found through the aligned runs or through a table of all lines; and
//   where the writer says each record lies is where reading the bytes finds it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"
#include "storage/lines.h"
#include "storage/stored_lines.h"
#include "support/storage_random_edits.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

bool SameList(const storage::ListFileContent& a, const storage::ListFileContent& b) {
  return a.noDate == b.noDate && a.records == b.records;
}

// Whether two files as read say the same of every record, not only of the items they hold.
bool SameAsRead(const storage::ListFileAsRead& a, const storage::ListFileAsRead& b) {
  if (a.Bytes() != b.Bytes() || a.NoDate() != b.NoDate() || a.Count() != b.Count() ||
      a.HoldsZeroByte() != b.HoldsZeroByte()) {
    return false;
  }
  for (std::size_t index = 0; index < a.Count(); ++index) {
    const storage::RecordAsRead& x = a.Record(index);
    const storage::RecordAsRead& y = b.Record(index);
    if (!(static_cast<const storage::RecordFields&>(x) == y) || x.lineAt != y.lineAt ||
        x.lineSize != y.lineSize || x.textAt != y.textAt ||
        x.takesFieldsFromBefore != y.takesFieldsFromBefore) {
      return false;
    }
  }
  return true;
}

// A few edits, chosen by the bytes themselves so that a run can be repeated.
storage::ListFileContent Edited(const storage::ListFileContent& read, std::string_view bytes) {
  std::minstd_rand random(static_cast<std::uint32_t>(std::hash<std::string_view>()(bytes)));
  storage::ListFileContent edited = read;
  EditAtRandom(&edited, static_cast<int>(random() % 5), random);
  return edited;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const storage::ListFileAsRead file{std::string(bytes)};
  Require(file.HoldsZeroByte() == (size > 0 && std::memchr(data, 0, size) != nullptr));
  const storage::ListFileContent first = file.ToContent();
  Require(SameList(storage::ListFileAsRead(storage::FormatListFile(first)).ToContent(), first));

  const std::string kept = storage::FormatListFile(first, &file);
  Require(kept == (bytes == storage::kNoDateMarker ? std::string("0,0,0,0,NO_DATE\r\n")
                                                   : storage::WithCrLfLineEnds(bytes)));
  const storage::ListFileAsRead back(kept);
  Require(SameList(back.ToContent(), first));
  Require(storage::FormatListFile(back.ToContent(), &back) == kept);

  const storage::ListFileContent edited = Edited(first, bytes);
  const std::string editedBytes = storage::FormatListFile(edited, &file);
  Require(SameList(storage::ListFileAsRead(editedBytes).ToContent(), edited));
  const storage::ListToWrite view = storage::ViewOf(edited);
  Require(storage::ChooseStoredLines(view, file, storage::LineMatching::kAlignedFirst) ==
          storage::ChooseStoredLines(view, file, storage::LineMatching::kTableOnly));
  Require(
      SameAsRead(storage::FormatListFileAsRead(view, &file), storage::ListFileAsRead(editedBytes)));
  return 0;
}
