#include "quarnctrl/text_pool.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quarn {

namespace {

// Below this, released bytes are not worth a pass over every row.
constexpr std::size_t kCompactingThreshold = 64 * 1024;
// A pool's first block: the shared zero and room for a few texts.
constexpr std::size_t kFirstCapacity = 64;

// Copies size bytes between blocks that do not overlap, reading and writing none outside them.
void CopyBytes(char* to, const char* from, std::size_t size) {
#if defined(__SSE2__)
  if (size >= 16) {
    std::size_t at = 0;
    for (; at + 16 <= size; at += 16) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at)));
    }
    // The last sixteen bytes, overlapping the ones before.
    if (at < size) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + size - 16),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + size - 16)));
    }
    return;
  }
#endif
  // Two pieces of a fixed size, overlapping in the middle: copies the compiler makes inline.
  if (size >= 8) {
    std::uint64_t head, tail;
    std::memcpy(&head, from, 8);
    std::memcpy(&tail, from + size - 8, 8);
    std::memcpy(to, &head, 8);
    std::memcpy(to + size - 8, &tail, 8);
    return;
  }
  for (std::size_t at = 0; at < size; ++at) to[at] = from[at];
}

// Copies size bytes as CopyBytes does, and tells whether any of them is zero.
bool CopyNotingZero(char* to, const char* from, std::size_t size) {
  std::size_t at = 0;
  bool zero = false;
#if defined(__SSE2__)
  __m128i zeros = _mm_setzero_si128();
  for (; at + 16 <= size; at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + at));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + at), bytes);
    zeros = _mm_or_si128(zeros, _mm_cmpeq_epi8(bytes, _mm_setzero_si128()));
  }
  zero = _mm_movemask_epi8(zeros) != 0;
#endif
  for (; at < size; ++at) {
    to[at] = from[at];
    zero = zero || from[at] == '\0';
  }
  return zero;
}

}  // namespace

TextPool::TextPool() {
  Clear();
}

std::unique_ptr<char[]> TextPool::MoveTo(std::size_t capacity) {
  std::unique_ptr<char[]> block(new char[capacity]);
  std::memcpy(block.get(), m_bytes.get(), m_size);
  m_bytes.swap(block);
  m_capacity = capacity;
  return block;
}

TextRef TextPool::Store(std::string_view text) {
  if (text.empty()) return TextRef{};
  const std::size_t needed = m_size + text.size() + 1;
  // text may lie in the old block: it goes only after the copy.
  std::unique_ptr<char[]> old;
  if (needed > m_capacity) old = MoveTo(std::max(needed, 2 * m_capacity));
  const TextRef ref{static_cast<std::uint32_t>(m_size), static_cast<std::uint32_t>(text.size())};
  CopyBytes(m_bytes.get() + m_size, text.data(), text.size());
  m_bytes[m_size + text.size()] = '\0';
  m_size = needed;
  return ref;
}

bool TextPool::StoreBlock(std::string_view block, std::uint32_t* at) {
  const std::size_t needed = m_size + block.size() + 1;
  // block may lie in the old block: it goes only after the copy.
  std::unique_ptr<char[]> old;
  if (needed > m_capacity) old = MoveTo(std::max(needed, 2 * m_capacity));
  if (CopyNotingZero(m_bytes.get() + m_size, block.data(), block.size())) return false;
  *at = static_cast<std::uint32_t>(m_size);
  m_bytes[m_size + block.size()] = '\0';
  m_size = needed;
  m_unused += block.size() + 1;
  return true;
}

void TextPool::Reserve(std::size_t bytes) {
  if (m_size + bytes > m_capacity) MoveTo(m_size + bytes);
}

void TextPool::Clear() {
  m_bytes.reset(new char[kFirstCapacity]);
  m_bytes[0] = '\0';
  m_size = 1;
  m_capacity = kFirstCapacity;
  m_unused = 0;
}

void TextPool::Empty() {
  m_bytes[0] = '\0';
  m_size = 1;
  m_unused = 0;
}

bool TextPool::WantsCompacting() const {
  return m_unused > kCompactingThreshold && m_unused > m_size - m_unused;
}

}  // namespace quarn
