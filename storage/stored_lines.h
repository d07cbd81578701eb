#pragma once
// Which line of the file as read each record of a list to be written takes again, byte for
// byte (FormatListFile, list_file_format.h): for each record in turn, the first line of the
// file, in its order, whose record equals it and that no record before took, provided the line
// reads back as the same record where it lands. Pure; any thread.
//
// A save usually changes a few records of a long list. The records before the first change
// and after the last then stand beside lines that hold them, at the same distance from the
// file's start or end; every such record whose equal records are all so aligned takes its own
// line, and only the rest go through a table of the lines of their records. Otherwise every
// record goes through a table of all the lines.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace storage {

inline constexpr std::uint32_t kNoStoredLine = UINT32_MAX;

// How the lines are found: both ways give the same answer (tests compare them).
enum class LineMatching {
  kAlignedFirst,  // aligned records take their own lines, when few records are not aligned
  kTableOnly,     // every record through a table of all the lines
};

// For each record of list, the index of the record of asRead whose line it takes, or
// kNoStoredLine when it is formatted.
std::vector<std::uint32_t> ChooseStoredLines(const ListToWrite& list, const ListFileAsRead& asRead,
                                             LineMatching matching = LineMatching::kAlignedFirst);

}  // namespace storage
