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

// The most bytes an add takes from the text box for a list's name and for an item's text, and
// an in-place editor holds.
constexpr std::size_t kListNameBytes = 249;
constexpr std::size_t kItemTextBytes = 253;
constexpr std::size_t kEditorBytes = 254;

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

// What an in-place editor stores of a typed text: one line (each CR, LF and tab a space) of at
// most kEditorBytes bytes.
inline std::string EditedText(std::string typed) {
  for (char& c : typed) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return Cut(std::move(typed), kEditorBytes);
}

// Whether a list may not have this name: one of \ / : * ? " < > | (but for one that follows a
// byte from 0x80 to 0xA0 or 0xE0 to 0xFF, which the check takes for the second byte of a
// double-byte character, judged by the byte before it alone), a control character, or a name
// Windows keeps for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any letter
// case, before a dot).
inline bool NameRefused(std::string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char before = i > 0 ? static_cast<unsigned char>(name[i - 1]) : 0;
    if (static_cast<unsigned char>(name[i]) < 0x20) return true;
    if (std::string_view("\\/:*?\"<>|").find(name[i]) != std::string_view::npos &&
        !((before >= 0x80 && before <= 0xA0) || before >= 0xE0)) {
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

// Whether "<name>.lst" names a file directly inside the list folder: a name not refused, not
// empty, and well-formed code page 932 text read from its start, in which each lead byte is
// followed by a trail byte (0x40 to 0x7E, 0x80 to 0xFC), no other byte is 0x80, 0xA0 or above
// 0xFC, and no separator or other forbidden character stands outside a double-byte character.
// A list whose name fails shows no items, and its file is never touched.
inline bool NamesFile(std::string_view name) {
  if (name.empty() || NameRefused(name)) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (StartsDoubleByte(byte)) {
      const unsigned char trail = ++i < name.size() ? static_cast<unsigned char>(name[i]) : 0;
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    } else if (byte == 0x80 || byte == 0xA0 || byte > 0xFC ||
               std::string_view("\\/:*?\"<>|").find(name[i]) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

// A name as Windows compares file names: one-byte letters in upper case, double-byte
// characters as they are. Two names are one file name exactly when these are equal.
inline std::string Folded(std::string name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (StartsDoubleByte(static_cast<unsigned char>(name[i]))) {
      ++i;
    } else if (name[i] >= 'a' && name[i] <= 'z') {
      name[i] = static_cast<char>(name[i] - 'a' + 'A');
    }
  }
  return name;
}

}  // namespace todo_test::rules
