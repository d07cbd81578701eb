#pragma once
// Which texts can name a list. A list's name is also its file's name, "<name>.lst" directly
// inside the list folder, so it must be a name Windows can give a file there. Pure; any thread.

#include <string>
#include <string_view>

namespace storage {

// The list-name check: whether `name` holds one of \ / : * ? " < > |. A hit after a byte from
// 0x80 to 0xA0 or from 0xE0 to 0xFF is the second byte of a double-byte character and does
// not count (judged by that byte's value alone).
bool HasForbiddenNameCharacter(std::string_view name);

// Whether Windows cannot use `name` followed by ".lst" as a file name for other reasons: a
// control character (a byte below 0x20), or a reserved device name (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9 in any letter case) before the first dot.
bool IsReservedOrControlName(std::string_view name);

// Whether two names give the same file name on Windows as far as letter case goes: equal when
// ASCII letters are compared without regard to case. The two bytes of a double-byte character
// are compared exactly, also when the second one has the value of a letter.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
// The name with its ASCII letters in upper case (not the second bytes of double-byte
// characters): two names are the same as far as letter case goes exactly when these are equal.
std::string NameWithoutCase(std::string_view name);

// Both checks: true when the name must be refused.
inline bool IsBadListName(std::string_view name) {
  return HasForbiddenNameCharacter(name) || IsReservedOrControlName(name);
}

// Whether "<name>.lst" names a file directly inside the list folder: the name is not empty,
// passes both checks above, and is well-formed code page 932 text, in which a lead byte
// (0x81-0x9F, 0xE0-0xFC) is always followed by a trail byte (0x40-0x7E, 0x80-0xFC) and no
// other byte is 0x80, 0xA0 or above 0xFC. The list-name check judges double-byte characters
// by the first byte's value alone, so without the last rule a name such as 0x80 followed by a
// backslash would pass it and still hold a real separator for Windows. Names read from a
// file that others may edit are held to this before any path is made of them.
bool NamesFileInListFolder(std::string_view name);

}  // namespace storage
