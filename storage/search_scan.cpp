#include "storage/search_scan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace storage {

namespace {

bool OccursAt(const char* at, const std::string& word) {
  return std::memcmp(at, word.data(), word.size()) == 0;
}

}  // namespace

WordScanner::WordScanner(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word.empty() || std::find(words_.begin(), words_.end(), word) != words_.end()) continue;
    words_.push_back(word);
    Ends ends;
    std::memset(ends.first, word.front(), sizeof(ends.first));
    std::memset(ends.last, word.back(), sizeof(ends.last));
    ends_.push_back(ends);
    longest_ = std::max(longest_, word.size());
  }
}

WordScanner::Hit WordScanner::NextPlainly(const char* from) const {
  for (const char* at = from; at < end_; ++at) {
    const std::size_t left = static_cast<std::size_t>(end_ - at);
    for (const std::string& word : words_) {
      if (word.size() <= left && word[0] == *at && OccursAt(at, word)) return {at, word.size()};
    }
  }
  return {};
}

#if defined(__SSE2__)

// Sixteen places at a time: a place is a candidate for a word when the word's first byte is
// there and its last byte is where it would end; only candidates are compared whole. This
// costs the same whatever the words, and nothing to set up.
WordScanner::Hit WordScanner::Next(const char* from) const {
  constexpr std::size_t kWidth = 16;
  const char* at = from;
  while (end_ - at >= static_cast<std::ptrdiff_t>(kWidth + longest_)) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    Hit first;
    for (std::size_t w = 0; w < words_.size(); ++w) {
      const std::string& word = words_[w];
      const std::size_t last = word.size() - 1;
      const __m128i there = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + last));
      const __m128i both = _mm_and_si128(
          _mm_cmpeq_epi8(here, _mm_load_si128(reinterpret_cast<const __m128i*>(ends_[w].first))),
          _mm_cmpeq_epi8(there, _mm_load_si128(reinterpret_cast<const __m128i*>(ends_[w].last))));
      for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0;
           mask &= mask - 1) {
        const char* place = at + __builtin_ctz(mask);
        if (first.at != nullptr && place >= first.at) break;
        if (OccursAt(place, word)) {
          first = {place, word.size()};
          break;
        }
      }
    }
    if (first.at != nullptr) return first;
    at += kWidth;
  }
  return NextPlainly(at);
}

#else

WordScanner::Hit WordScanner::Next(const char* from) const {
  return NextPlainly(from);
}

#endif

}  // namespace storage
