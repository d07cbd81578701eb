#pragma once
// The list-order file, ListInfo.dat: the name of every list in display order, top first, one
// name per line and nothing else. No lists make an empty file. Pure; any thread.

#include <string>
#include <string_view>
#include <vector>

namespace storage {

// The names held in the bytes of a list-order file, each line whole, without its line end. A
// last line without a line end is a name too; a blank line is an empty name, as it always
// was.
std::vector<std::string> ParseListOrder(std::string_view bytes);

// The bytes of a list-order file for names: each name followed by CR LF. A line break inside
// a name becomes one space, so every name comes back as one name.
std::string FormatListOrder(const std::vector<std::string>& names);

}  // namespace storage
