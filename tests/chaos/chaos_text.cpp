// The text helpers of the chaos walk: letter case folding that skips double-byte characters,
// the clean-ups of typed text, and the readable form of bytes for failure messages.

#include "chaos/chaos_text.h"

#include <windows.h>

#include <cstdio>

namespace chaos {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string Folded(const std::string& name) {
  std::string folded = name;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(folded[i]);
    if (IsLeadByte(byte)) {
      ++i;
    } else if (byte >= 'a' && byte <= 'z') {
      folded[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return folded;
}

std::string AsOneLine(const std::string& typed) {
  std::string line;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') continue;
    line += typed[i] == '\n' ? ' ' : typed[i];
  }
  return line;
}

std::string AsEdited(std::string typed) {
  for (char& c : typed) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return typed;
}

std::string Shown(const std::string& bytes) {
  std::string escaped;
  bool trail = false;
  for (unsigned char c : bytes) {
    const bool isTrail = trail;
    trail = !trail && IsLeadByte(c);
    if (isTrail) {
      escaped += static_cast<char>(c);
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c < 0x20 || c == 0x80) {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02X", c);
      escaped += hex;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  const int wide =
      MultiByteToWideChar(932, 0, escaped.data(), static_cast<int>(escaped.size()), nullptr, 0);
  if (wide <= 0) return escaped;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, escaped.data(), static_cast<int>(escaped.size()), &text[0], wide);
  const int narrow =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &out[0], narrow, nullptr, nullptr);
  return out;
}

}  // namespace chaos
