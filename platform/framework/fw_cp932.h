#pragma once
// Character boundaries in code page 932 text. A lead byte (0x81-0x9F, 0xE0-0xFC) and the byte
// after it form one character; cutting between them would leave half a character behind.

#include <cstddef>

namespace fw {

inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The largest length not above `limit` at which `text` (of `length` bytes) can be cut without
// splitting a double-byte character. A lead byte as the very last byte of the text counts as a
// character of its own.
inline std::size_t Cp932CutLength(const char* text, std::size_t length, std::size_t limit) {
  if (length <= limit) return length;
  std::size_t pos = 0;
  while (pos < limit) {
    std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > limit) break;
    pos += width;
  }
  return pos;
}

}  // namespace fw
