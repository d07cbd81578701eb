#pragma once
// Character boundaries in code page 932 text. A lead byte (0x81-0x9F, 0xE0-0xFC) and the byte
// after it form one character; cutting between them would leave half a character behind.
// Pure; used by every layer that cuts or walks text, so it depends on nothing.

#include <cstddef>

namespace cp932 {

inline bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The largest length not above `limit` at which `text` (of `length` bytes) can be cut without
// splitting a double-byte character. A lead byte as the very last byte of the text counts as a
// character of its own.
inline std::size_t CutLength(const char* text, std::size_t length, std::size_t limit) {
  if (length <= limit) return length;
  std::size_t pos = 0;
  while (pos < limit) {
    std::size_t width = IsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > limit) break;
    pos += width;
  }
  return pos;
}

}  // namespace cp932
