#include "storage/byte_scan.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace storage {

namespace {

#ifdef __SSE2__
constexpr std::size_t kWidth = 16;

// A bit for each of the sixteen bytes at `at` that equals the bytes of `probe`. Unaligned
// loads: never reads outside the sixteen bytes.
unsigned MatchMask(const char* at, __m128i probe) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, probe)));
}
#endif

}  // namespace

std::size_t FindByte(std::string_view text, char byte) {
  std::size_t pos = 0;
#ifdef __SSE2__
  const __m128i probe = _mm_set1_epi8(byte);
  for (; pos + kWidth <= text.size(); pos += kWidth) {
    const unsigned mask = MatchMask(text.data() + pos, probe);
    if (mask != 0) return pos + static_cast<std::size_t>(__builtin_ctz(mask));
  }
#endif
  for (; pos < text.size(); ++pos) {
    if (text[pos] == byte) return pos;
  }
  return std::string_view::npos;
}

std::size_t CountByte(std::string_view text, char byte) {
  std::size_t count = 0;
  std::size_t pos = 0;
#ifdef __SSE2__
  const __m128i probe = _mm_set1_epi8(byte);
  for (; pos + kWidth <= text.size(); pos += kWidth) {
    count += static_cast<std::size_t>(__builtin_popcount(MatchMask(text.data() + pos, probe)));
  }
#endif
  return count + static_cast<std::size_t>(std::count(text.begin() + pos, text.end(), byte));
}

}  // namespace storage
