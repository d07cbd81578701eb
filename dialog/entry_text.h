#pragma once
// The text box's text as the commands take it. Pure; any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace todo {

// The most bytes a new list's name and a new item's text take from the text box.
constexpr std::size_t kListNameLimit = 249;
constexpr std::size_t kItemTextLimit = 253;

// `typed` as one line (each line break, CR LF or a lone LF, made one space, so that a pasted
// text never becomes two entries), then cut to at most `limit` bytes without splitting a
// double-byte character.
std::string EntryText(std::string_view typed, std::size_t limit);

}  // namespace todo
