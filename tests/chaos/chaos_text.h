// Text as the chaos walk handles it: code page 932 lead bytes, names compared as Windows
// compares file names, what the text box and the in-place editors make of typed line breaks
// and tabs, and bytes turned readable for failure messages.

#pragma once

#include <string>

namespace chaos {

// The first of two bytes of a code page 932 character.
bool IsLeadByte(unsigned char byte);

// A name as Windows compares file names: ASCII letters without their case, double-byte
// characters as they are.
std::string Folded(const std::string& name);

// What a new list's name or item's text takes from the text box: each line break one space.
std::string AsOneLine(const std::string& typed);

// What an in-place edit stores: line breaks and tabs become spaces.
std::string AsEdited(std::string typed);

// Bytes shown readably in failure messages: control bytes and 0x80 escaped, the rest turned
// from code page 932 into UTF-8 for the console.
std::string Shown(const std::string& bytes);

}  // namespace chaos
