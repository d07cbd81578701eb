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

std::uint64_t LineFeedFinder::MaskOfBlock() const {
  const char* const block = m_text.data() + m_block;
  const std::size_t size = m_text.size() - m_block;
  std::uint64_t mask = 0;
#ifdef __SSE2__
  if (size >= 64) {
    const __m128i probe = _mm_set1_epi8('\n');
    for (int part = 3; part >= 0; --part) {
      mask = mask << 16 | MatchMask(block + 16 * part, probe);
    }
    return mask;
  }
#endif
  for (std::size_t at = std::min<std::size_t>(size, 64); at-- > 0;) {
    mask = mask << 1 | (block[at] == '\n' ? 1u : 0u);
  }
  return mask;
}

std::size_t LineFeedFinder::NextFrom(std::size_t from) {
  if (from >= m_text.size()) return std::string_view::npos;
  if (m_block == std::string_view::npos || from < m_block || from - m_block >= 64) {
    m_block = from;
    m_mask = MaskOfBlock();
  }
  for (;;) {
    const std::uint64_t ahead = m_mask >> (from - m_block);
    if (ahead != 0) return from + static_cast<std::size_t>(__builtin_ctzll(ahead));
    if (m_text.size() - m_block <= 64) return std::string_view::npos;
    m_block += 64;
    from = m_block;
    m_mask = MaskOfBlock();
  }
}

std::size_t CountByteNotingZero(std::string_view text, char byte, bool* zero) {
  std::size_t count = 0;
  std::size_t pos = 0;
  *zero = false;
#ifdef __SSE2__
  // Each matching byte subtracts -1 from its lane of a counter of sixteen bytes; before a
  // lane could overflow, the lanes are summed (psadbw) into the count. No bit counting: the
  // 32-bit build would call a library routine for every sixteen bytes. Zero bytes are gathered
  // into one register, looked at once at the end.
  const __m128i probe = _mm_set1_epi8(byte);
  const __m128i zeroes = _mm_setzero_si128();
  __m128i zeroSeen = zeroes;
  while (pos + kWidth <= text.size()) {
    __m128i lanes = zeroes;
    for (int round = 0; round < 255 && pos + kWidth <= text.size(); ++round, pos += kWidth) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, probe));
      zeroSeen = _mm_or_si128(zeroSeen, _mm_cmpeq_epi8(bytes, zeroes));
    }
    const __m128i sums = _mm_sad_epu8(lanes, zeroes);
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
  *zero = _mm_movemask_epi8(zeroSeen) != 0;
#endif
  for (; pos < text.size(); ++pos) {
    count += text[pos] == byte ? 1 : 0;
    *zero = *zero || text[pos] == '\0';
  }
  return count;
}

bool SameBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const std::size_t size = a.size();
  std::size_t pos = 0;
#ifdef __SSE2__
  if (size >= kWidth) {
    // Sixteen bytes at a time, the last sixteen overlapping the ones before if need be.
    for (;; pos += kWidth) {
      if (pos + kWidth > size) pos = size - kWidth;
      const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.data() + pos));
      const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.data() + pos));
      if (_mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) != 0xFFFF) return false;
      if (pos + kWidth == size) return true;
    }
  }
#endif
  for (; pos < size; ++pos) {
    if (a[pos] != b[pos]) return false;
  }
  return true;
}

}  // namespace storage
