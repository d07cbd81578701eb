#pragma once
// Which texts can name a list. A list's name is also its file's name, so it must be a name
// Windows can give a file. Pure; any thread.

#include <string_view>

namespace todo {

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

// Both checks: true when the name must be refused.
inline bool IsBadListName(std::string_view name) {
  return HasForbiddenNameCharacter(name) || IsReservedOrControlName(name);
}

}  // namespace todo
