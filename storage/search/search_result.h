#pragma once
// The result line of a matching item, "[<list>] <(未) or (済)> 期限：<year>/<month>/<day> <text>",
// the fields as stored. Part of the search (search.h). One buffer is reused for every result,
// and the part that names the list is written once per list: a result costs a few copies.
// One thread at a time.

#include <cstddef>
#include <memory>
#include <string_view>

#include "storage/search/search_layout.h"

namespace storage {

class ResultLine {
 public:
  // The list that the next results name.
  void SetListName(std::string_view name);

  // The result from the done-flag, year, month and day fields and the text. The mark is
  // "(未)" when the done flag is exactly "0", otherwise "(済)".
  void Put(const std::string_view fields[kTabbedSeparators], std::string_view text);

  // The result from a line whose first four separators are at separators (ascending): the
  // same as Put with the fields between them and the text after the fourth.
  void PutRecord(std::string_view line, const std::size_t separators[kTabbedSeparators]);

  // The last result put, followed by a zero byte.
  const char* data() const { return m_buffer.get(); }
  std::size_t size() const { return m_size; }

 private:
  // Makes room for a result of this many bytes in all; returns where the mark goes.
  char* Reserve(std::size_t bytes);
  // Makes the buffer hold at least capacity bytes, keeping the list's part. Kept out of the
  // way of the copies, which seldom need it.
  [[gnu::cold]] void Grow(std::size_t capacity);
  // Writes the mark and the due-date label at out; returns where the year goes.
  static char* PutHead(char* out, std::string_view doneFlag);

  std::unique_ptr<char[]> m_buffer;
  std::size_t m_capacity = 0;  // bytes in m_buffer, the closing zero byte included
  std::size_t m_listPart = 0;  // bytes of "[<list>] " at the start
  std::size_t m_size = 0;
};

}  // namespace storage
