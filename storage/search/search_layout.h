#pragma once
// Where a stored line ends and where its field separators are, found in as few passes over its
// bytes as the processor allows. Part of the search (search.h): every line that may give a
// result goes through here, so the common case (a record line of plain digits and commas,
// with no zero byte and no tab) costs a few block compares. Pure; any thread.

#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace storage {

// How many separators of a line the search makes tabs: those of the done flag, the year, the
// month and the day.
inline constexpr int kTabbedSeparators = 4;

struct LineEnd {
  const char* at = nullptr;  // the line feed that ends the line, or the end of its block
  bool plain = false;        // the line holds neither a zero byte nor a tab
};

// The last line feed in [begin, end), or null.
const char* FindLastFeed(const char* begin, const char* end);

// The end of the line that starts at begin, in a block of bytes that ends at blockEnd (a line
// that reaches it ends there). The CR of a CR LF is part of the line here.
LineEnd FindLineEnd(const char* begin, const char* blockEnd);

// The line's first separators: the first is FindSeparator(',') over the whole line, each next
// one FindSeparator(',') over what is left after the one before. Puts their offsets in
// separators, ascending, and returns how many there are, kTabbedSeparators at most.
int FindSeparatorsOneByOne(std::string_view line, std::size_t separators[kTabbedSeparators]);

// FindSeparatorsOneByOne, with a shortcut for the common case.
inline int FindFieldSeparators(std::string_view line, std::size_t separators[kTabbedSeparators]) {
#if defined(__SSE2__)
  // Before the first byte that FindSeparator treats specially (a backslash, a lead-range byte
  // or any other byte from 0x80 up, a zero byte), every comma is a separator. When four lie
  // in the line's first sixteen bytes, they are the answer. This is the common case, on the
  // path of every result, so it is inline.
  if (line.size() >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data()));
    const auto places = [bytes](char byte) {
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(byte))));
    };
    const unsigned special =
        static_cast<unsigned>(_mm_movemask_epi8(bytes)) | places('\\') | places('\0');
    unsigned commas = places(',') & ((special & (0u - special)) - 1);  // all when none is special
    int count = 0;
    for (; count < kTabbedSeparators && commas != 0; ++count, commas &= commas - 1) {
      separators[count] = static_cast<std::size_t>(__builtin_ctz(commas));
    }
    if (count == kTabbedSeparators) return count;
  }
#endif
  return FindSeparatorsOneByOne(line, separators);
}

}  // namespace storage
