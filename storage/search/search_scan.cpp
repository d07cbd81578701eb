#include "storage/search/search_scan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <immintrin.h>
#endif

namespace storage {

WordScanner::WordScanner(const std::vector<std::string>& words, ScanWidth width) : m_width(width) {
  for (const std::string& word : words) {
    if (word.empty() || std::find(m_words.begin(), m_words.end(), word) != m_words.end()) continue;
    m_words.push_back(word);
    Probe probe;
    const std::size_t headBytes = std::min(word.size(), kWidth);
    probe.lastAt = headBytes - 1;
    std::memset(probe.first, word.front(), kWidth);
    std::memset(probe.last, word[probe.lastAt], kWidth);
    std::memset(probe.head, 0, kWidth);
    std::memcpy(probe.head, word.data(), headBytes);
    probe.headBits = (1u << headBytes) - 1;
    m_probes.push_back(probe);
    m_longest = std::max(m_longest, word.size());
  }
}

bool WordScanner::NextLinePlainly(Line* line) {
  for (const char* at = m_next; at < m_end; ++at) {
    const std::size_t left = static_cast<std::size_t>(m_end - at);
    for (const std::string& word : m_words) {
      if (word.size() > left || word[0] != *at || std::memcmp(at, word.data(), word.size()) != 0) {
        continue;
      }
      const char* feed = FindLastFeed(m_next, at);
      line->begin = feed != nullptr ? feed + 1 : m_next;
      line->end = FindLineEnd(line->begin, m_end);
      line->word = at;
      line->wordLength = word.size();
      m_next = line->end.at < m_end ? line->end.at + 1 : m_end;
      return true;
    }
  }
  m_next = m_end;
  return false;
}

#if defined(__SSE2__)

namespace {

constexpr std::uint64_t kAll = ~std::uint64_t{0};

__m128i Load(const char* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

__m128i LoadAligned(const char* at) {
  return _mm_load_si128(reinterpret_cast<const __m128i*>(at));
}

unsigned Bits(__m128i same) {
  return static_cast<unsigned>(_mm_movemask_epi8(same));
}

// a when choose holds, otherwise b, without a branch.
std::size_t Choose(bool choose, std::size_t a, std::size_t b) {
  const std::size_t mask = std::size_t{0} - static_cast<std::size_t>(choose);
  return (a & mask) | (b & ~mask);
}

// The bits below bit.
std::uint64_t Below(unsigned bit) {
  return (std::uint64_t{1} << bit) - 1;
}

}  // namespace

void WordScanner::StartMasks(std::size_t windows) {
  if (m_feeds.size() < windows + 2) m_feeds.resize(windows + 2);
  if (m_candidates.size() < windows) m_candidates.resize(windows);
  m_count = 0;
}

inline bool WordScanner::KeepWindow(std::size_t window, std::uint64_t feeds, std::uint64_t places,
                                    bool* odd) {
  // Only the last window may reach past the block; what lies there does not count.
  const std::size_t inside = Length() - window * kWindow;
  std::uint64_t valid = kAll;
  const bool whole = inside >= kWindow;
  if (!whole) {
    valid = Below(static_cast<unsigned>(inside));
    const char* const start = m_begin + window * kWindow;
    for (std::size_t i = 0; i < inside; ++i) {
      *odd = *odd || static_cast<unsigned char>(start[i]) < 0x0A;
    }
  }
  m_feeds[window + 1] = feeds & valid;
  m_candidates[m_count] = {places & valid, window};
  m_count += (places & valid) != 0;
  return whole;
}

void WordScanner::FinishMasks(std::size_t windows, bool plain) {
  const std::size_t length = Length();
  m_feeds[0] = std::uint64_t{1} << (kWindow - 1);  // the line before the block ends just before it
  m_feeds[windows + 1] = 0;
  m_feeds[length / kWindow + 1] |= std::uint64_t{1} << (length % kWindow);  // the block's end
  m_plain = plain;
}

namespace {

// Whether any of the sixteen lowest bytes seen is below 0x0A.
bool AnyBelowTen(__m128i lowest) {
  const __m128i nine = _mm_set1_epi8(0x09);
  return Bits(_mm_cmpeq_epi8(_mm_min_epu8(lowest, nine), lowest)) != 0;
}

}  // namespace

template <std::size_t kWords>
void WordScanner::MaskBlock() {
  const std::size_t words = kWords != 0 ? kWords : m_probes.size();
  const std::size_t windows = (Length() + kWindow - 1) / kWindow;
  StartMasks(windows);
  const __m128i feed = _mm_set1_epi8('\n');
  // Zero bytes and tabs are looked for a little more widely, as bytes below 0x0A: the lowest
  // byte seen in each of the sixteen lanes is all it takes.
  const __m128i highest = _mm_set1_epi8(-1);
  __m128i lowest = highest;  // over the windows that lie wholly within the block
  bool odd = false;          // a byte below 0x0A in the last window, if it reaches past the end
  for (std::size_t window = 0; window < windows; ++window) {
    const char* const start = m_begin + window * kWindow;
    std::uint64_t feeds = 0;
    std::uint64_t places = 0;
    __m128i low = highest;
    for (unsigned part = 0; part < kWindow / kWidth; ++part) {
      const char* at = start + part * kWidth;
      const __m128i here = Load(at);
      __m128i candidates = _mm_setzero_si128();
      for (std::size_t w = 0; w < words; ++w) {
        const Probe& probe = m_probes[w];
        candidates = _mm_or_si128(
            candidates,
            _mm_and_si128(_mm_cmpeq_epi8(here, LoadAligned(probe.first)),
                          _mm_cmpeq_epi8(Load(at + probe.lastAt), LoadAligned(probe.last))));
      }
      low = _mm_min_epu8(low, here);
      feeds |= std::uint64_t{Bits(_mm_cmpeq_epi8(here, feed))} << (part * kWidth);
      places |= std::uint64_t{Bits(candidates)} << (part * kWidth);
    }
    if (KeepWindow(window, feeds, places, &odd)) lowest = _mm_min_epu8(lowest, low);
  }
  FinishMasks(windows, !odd && !AnyBelowTen(lowest));
}

// The wider scan: the same masks, 32 bytes at a time. Its instructions are used only here and
// only where the processor runs them (scan_width.h); the rest of the module stays SSE2.
template <std::size_t kWords>
__attribute__((target("avx2"))) void WordScanner::MaskBlockWide() {
  const std::size_t words = kWords != 0 ? kWords : m_probes.size();
  const std::size_t windows = (Length() + kWindow - 1) / kWindow;
  StartMasks(windows);
  const __m256i feed = _mm256_set1_epi8('\n');
  const __m256i highest = _mm256_set1_epi8(-1);
  __m256i lowest = highest;
  bool odd = false;
  for (std::size_t window = 0; window < windows; ++window) {
    const char* const start = m_begin + window * kWindow;
    std::uint64_t feeds = 0;
    std::uint64_t places = 0;
    __m256i low = highest;
    for (unsigned part = 0; part < kWindow / kWide; ++part) {
      const char* at = start + part * kWide;
      const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
      __m256i candidates = _mm256_setzero_si256();
      for (std::size_t w = 0; w < words; ++w) {
        const Probe& probe = m_probes[w];
        const __m256i first = _mm256_broadcastsi128_si256(LoadAligned(probe.first));
        const __m256i last = _mm256_broadcastsi128_si256(LoadAligned(probe.last));
        const __m256i there =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + probe.lastAt));
        candidates = _mm256_or_si256(candidates, _mm256_and_si256(_mm256_cmpeq_epi8(here, first),
                                                                  _mm256_cmpeq_epi8(there, last)));
      }
      low = _mm256_min_epu8(low, here);
      const std::uint32_t feedBits =
          static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(here, feed)));
      const std::uint32_t placeBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(candidates));
      feeds |= std::uint64_t{feedBits} << (part * kWide);
      places |= std::uint64_t{placeBits} << (part * kWide);
    }
    if (KeepWindow(window, feeds, places, &odd)) lowest = _mm256_min_epu8(lowest, low);
  }
  const __m128i halves =
      _mm_min_epu8(_mm256_castsi256_si128(lowest), _mm256_extracti128_si256(lowest, 1));
  FinishMasks(windows, !odd && !AnyBelowTen(halves));
}

void WordScanner::Reset(const char* begin, const char* end) {
  m_begin = m_next = begin;
  m_end = end;
  m_taken = m_count = 0;
  m_places = 0;
  if (m_probes.empty() || m_width == ScanWidth::kPlain) return;
  const bool wide = m_width == ScanWidth::kAvx2;
  switch (m_probes.size()) {
    case 1:
      wide ? MaskBlockWide<1>() : MaskBlock<1>();
      break;
    case 2:
      wide ? MaskBlockWide<2>() : MaskBlock<2>();
      break;
    default:
      wide ? MaskBlockWide<0>() : MaskBlock<0>();
  }
}

bool WordScanner::HeadIsAt(const char* place, const Probe& probe) {
  return (Bits(_mm_cmpeq_epi8(Load(place), LoadAligned(probe.head))) & probe.headBits) ==
         probe.headBits;
}

int WordScanner::WordAt(const char* place) const {
  if (m_probes.size() > 32 || m_longest > kWidth) return LongWordAt(place);
  // Each word's bytes are all in its head: which words are there is found without a branch
  // for each.
  unsigned found = 0;
  for (std::size_t w = 0; w < m_probes.size(); ++w) {
    found |= static_cast<unsigned>(HeadIsAt(place, m_probes[w])) << w;
  }
  return found != 0 ? __builtin_ctz(found) : -1;
}

int WordScanner::LongWordAt(const char* place) const {
  for (std::size_t w = 0; w < m_probes.size(); ++w) {
    if (!HeadIsAt(place, m_probes[w])) continue;
    // A longer word is compared on only while it lies within the block.
    const std::string& word = m_words[w];
    if (word.size() <= kWidth ||
        (word.size() <= static_cast<std::size_t>(m_end - place) &&
         std::memcmp(place + kWidth, word.data() + kWidth, word.size() - kWidth) == 0)) {
      return static_cast<int>(w);
    }
  }
  return -1;
}

void WordScanner::FindLineAround(std::size_t offset, Line* line) const {
  const std::size_t window = offset / kWindow;
  const unsigned bit = static_cast<unsigned>(offset % kWindow);
  const std::size_t windowStart = window * kWindow;
  // The last line feed before the word, in its window or else in the window before, and the
  // first from the word on, in its window or else in the next. Each pair of answers is worked
  // out whole (an empty mask gets a stand-in bit) and one is chosen: in dense text the choice
  // is a coin toss that a branch would often get wrong.
  const std::uint64_t before = m_feeds[window + 1] & Below(bit);
  const std::uint64_t previous = m_feeds[window];
  const std::size_t afterBefore =
      windowStart + kWindow - static_cast<std::size_t>(__builtin_clzll(before | 1));
  const std::size_t afterPrevious =
      windowStart - static_cast<std::size_t>(__builtin_clzll(previous | 1));
  const std::uint64_t from = m_feeds[window + 1] & ~Below(bit);
  const std::uint64_t following = m_feeds[window + 2];
  const std::size_t atFrom =
      windowStart + static_cast<std::size_t>(__builtin_ctzll(from | std::uint64_t{1} << 63));
  const std::size_t atFollowing =
      windowStart + kWindow +
      static_cast<std::size_t>(__builtin_ctzll(following | std::uint64_t{1} << 63));
  line->begin = m_begin + Choose(before != 0, afterBefore, afterPrevious);
  line->end = {m_begin + Choose(from != 0, atFrom, atFollowing), m_plain};
  // A line of more than a window's length may have no line feed in either.
  if ((before | previous) == 0 || (from | following) == 0 || !m_plain) {
    FindLongLineAround(offset, line);
  }
}

void WordScanner::FindLongLineAround(std::size_t offset, Line* line) const {
  const std::size_t window = offset / kWindow;
  const std::uint64_t previous = m_feeds[window];
  if ((m_feeds[window + 1] & Below(offset % kWindow)) == 0 && previous == 0) {
    const char* feed = FindLastFeed(m_begin, m_begin + offset);
    line->begin = feed != nullptr ? feed + 1 : m_begin;
  }
  const std::uint64_t following = m_feeds[window + 2];
  if ((m_feeds[window + 1] & ~Below(offset % kWindow)) == 0 && following == 0) {
    // The block's end counts as a line feed, so it lies past the next window.
    const std::size_t searched = (window + 2) * kWindow;
    const void* feed = std::memchr(m_begin + searched, '\n', Length() - searched);
    line->end.at = feed != nullptr ? static_cast<const char*>(feed) : m_end;
  }
  if (!m_plain) line->end.plain = FindLineEnd(line->begin, m_end).plain;
}

bool WordScanner::NextLine(Line* line) {
  if (m_width == ScanWidth::kPlain) return NextLinePlainly(line);
  for (;;) {
    while (m_places == 0) {
      if (m_taken == m_count) return false;
      m_places = m_candidates[m_taken].places;
      m_window = m_candidates[m_taken].window;
      ++m_taken;
    }
    const std::size_t offset =
        m_window * kWindow + static_cast<std::size_t>(__builtin_ctzll(m_places));
    m_places &= m_places - 1;
    if (m_begin + offset < m_next) continue;  // in a line given already
    const int w = WordAt(m_begin + offset);
    if (w < 0) continue;
    FindLineAround(offset, line);
    line->word = m_begin + offset;
    line->wordLength = m_words[static_cast<std::size_t>(w)].size();
    m_next = line->end.at + 1;  // at most one past the block's end
    return true;
  }
}

#else

void WordScanner::Reset(const char* begin, const char* end) {
  m_begin = m_next = begin;
  m_end = end;
}

bool WordScanner::NextLine(Line* line) {
  return NextLinePlainly(line);
}

#endif

}  // namespace storage
