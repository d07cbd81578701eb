#include "storage/search/search_layout.h"

#include <string.h>

#include <climits>

#include "storage/find_separator.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace storage {

int FindSeparatorsOneByOne(std::string_view line, std::size_t separators[kTabbedSeparators]) {
  int count = 0;
  const int length = static_cast<int>(line.size() < INT_MAX ? line.size() : INT_MAX);
  for (int from = 0; count < kTabbedSeparators; ++count) {
    const int found = FindSeparator(line.data() + from, length - from, ',');
    if (found < 0) break;
    separators[count] = static_cast<std::size_t>(from + found);
    from += found + 1;
  }
  return count;
}

const char* FindLastFeed(const char* begin, const char* end) {
#if defined(__GLIBC__)
  return static_cast<const char*>(::memrchr(begin, '\n', static_cast<std::size_t>(end - begin)));
#else
  for (const char* at = end; at != begin; --at) {
    if (at[-1] == '\n') return at - 1;
  }
  return nullptr;
#endif
}

#if defined(__SSE2__)

namespace {

constexpr std::ptrdiff_t kWidth = 16;

__m128i Load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// One bit per byte of bytes that equals byte.
unsigned Places(__m128i bytes, char byte) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(byte))));
}

}  // namespace

LineEnd FindLineEnd(const char* begin, const char* blockEnd) {
  bool odd = false;  // a zero byte or a tab seen before
  const char* at = begin;
  for (; blockEnd - at >= kWidth; at += kWidth) {
    const __m128i bytes = Load(at);
    const unsigned feeds = Places(bytes, '\n');
    const unsigned odds = Places(bytes, '\0') | Places(bytes, '\t');
    if (feeds != 0) {
      const unsigned beforeFeed = (feeds & (0u - feeds)) - 1;
      return {at + __builtin_ctz(feeds), !odd && (odds & beforeFeed) == 0};
    }
    odd = odd || odds != 0;
  }
  for (; at < blockEnd && *at != '\n'; ++at) odd = odd || *at == '\0' || *at == '\t';
  return {at, !odd};
}

#else

LineEnd FindLineEnd(const char* begin, const char* blockEnd) {
  bool odd = false;
  const char* at = begin;
  for (; at < blockEnd && *at != '\n'; ++at) odd = odd || *at == '\0' || *at == '\t';
  return {at, !odd};
}

#endif

}  // namespace storage
