#pragma once
// The rules of list names and typed texts, written out on their own from what the user is
// told, so that the walks that check the tool decide what it must refuse without asking the
// code they check.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace todo_test::rules {

// The first byte of a double-byte character of code page 932.
inline bool StartsDoubleByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The most bytes an add takes from the text box for a list's name and for an item's text.
constexpr std::size_t kListNameBytes = 249;
constexpr std::size_t kItemTextBytes = 253;

// `text` cut to at most `limit` bytes, never half a double-byte character (a lead byte at the
// very end counts as a character of its own).
inline std::string Cut(std::string text, std::size_t limit) {
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t width = StartsDoubleByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
    if (length + width > limit) break;
    length += width;
  }
  text.resize(length < text.size() ? length : text.size());
  return text;
}

// A typed text as an add takes it: each line break (CR LF or LF) one space, then cut to
// `limit` bytes.
inline std::string TakenText(std::string_view typed, std::size_t limit) {
  std::string line;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') continue;
    line += typed[i] == '\n' ? ' ' : typed[i];
  }
  return Cut(std::move(line), limit);
}

// Whether a list may not have this name: one of \ / : * ? " < > | (but for the second byte of
// a double-byte character, judged by the byte before it: 0x80 to 0xA0 or 0xE0 to 0xFF), a
// control character, or a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, in any letter case, before a dot).
inline bool NameRefused(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x20) return true;
    if ((byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0) {
      ++i;
      continue;
    }
    if (std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) != std::string_view::npos) {
      return true;
    }
  }
  std::string device(name.substr(0, name.find('.')));
  for (char& c : device) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (device == "CON" || device == "PRN" || device == "AUX" || device == "NUL") return true;
  return device.size() == 4 &&
         (device.compare(0, 3, "COM") == 0 || device.compare(0, 3, "LPT") == 0) &&
         device[3] >= '1' && device[3] <= '9';
}

// Whether two names are one file name on Windows: equal but for the letter case of one-byte
// letters (the second byte of a double-byte character counts as it is).
inline bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (StartsDoubleByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    const auto upper = [](char c) {
      return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

}  // namespace todo_test::rules
