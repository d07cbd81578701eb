#pragma once
// Finding and counting one byte value in a run of bytes, and comparing two runs, sixteen bytes
// at a time where the processor has SSE2. The C library under Wine looks at one byte at a
// time, which made the line splitting of a long list file several times slower in the module
// than natively, and the comparison of a long list's texts with what was read too. Pure; any
// thread.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace storage {

// The position of the first `byte` in text, or std::string_view::npos.
std::size_t FindByte(std::string_view text, char byte);

// How many times `byte` occurs in text, and whether a zero byte does (*zero): one look at each
// byte for both.
std::size_t CountByteNotingZero(std::string_view text, char byte, bool* zero);

// The line feeds of one text, found in order 64 bytes at a time: a look at each 64 bytes and a
// few instructions per line feed, where a search of its own for each of many short lines
// costs a call and a start for each.
class LineFeedFinder {
 public:
  explicit LineFeedFinder(std::string_view text) : m_text(text) {}
  // The position of the first line feed at or after `from`, or std::string_view::npos. Cheapest
  // when each call's `from` lies past the line feed the call before found.
  std::size_t NextFrom(std::size_t from);

 private:
  // A bit for each line feed among the 64 bytes at m_block (fewer at the text's end).
  std::uint64_t MaskOfBlock() const;

  std::string_view m_text;
  std::size_t m_block = std::string_view::npos;  // where the block of m_mask begins
  std::uint64_t m_mask = 0;
};

// Whether a and b are the same bytes. Reads no byte outside either.
bool SameBytes(std::string_view a, std::string_view b);

}  // namespace storage
