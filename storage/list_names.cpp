#include "storage/list_names.h"

#include <cctype>
#include <string>

#include "text/cp932.h"
#include "storage/find_separator.h"

namespace storage {

bool HasForbiddenNameCharacter(std::string_view name) {
  static const char kForbidden[] = {'\\', '/', ':', '*', '?', '"', '<', '>', '|'};
  for (char forbidden : kForbidden) {
    for (std::size_t at = name.find(forbidden); at != std::string_view::npos;
         at = name.find(forbidden, at + 1)) {
      if (at == 0 || !IsLeadByteByValue(static_cast<unsigned char>(name[at - 1]))) return true;
    }
  }
  return false;
}

bool IsReservedOrControlName(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string NameWithoutCase(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(folded[i])) && i + 1 < folded.size()) {
      ++i;  // the trail byte stays as it is, also when it has the value of a letter
    } else {
      folded[i] = AsciiUpper(folded[i]);
    }
  }
  return folded;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && NameWithoutCase(a) == NameWithoutCase(b);
}

bool NamesFileInListFolder(std::string_view name) {
  if (name.empty() || IsBadListName(name)) return false;
  for (std::size_t pos = 0; pos < name.size(); ++pos) {
    const unsigned char byte = static_cast<unsigned char>(name[pos]);
    if (cp932::IsLeadByte(byte)) {
      if (++pos == name.size()) return false;  // half a character before ".lst"
      const unsigned char trail = static_cast<unsigned char>(name[pos]);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    } else if (byte == 0x80 || byte == 0xA0 || byte > 0xFC ||
               std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) !=
                   std::string_view::npos) {
      // The list-name check looks only at the byte before a forbidden character, so one that
      // follows a whole double-byte character can slip through it: judged here in order.
      return false;
    }
  }
  return true;
}

}  // namespace storage
