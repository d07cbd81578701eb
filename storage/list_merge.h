#pragma once
// Merging a list file, or the list-order file, that was changed both in the window and by
// another program since the window read it or wrote it last. Both are three-way merges
// (sequence_merge.h) against what was read: what either side added, changed, removed or moved
// is taken as that side left it, and no text anyone wrote is lost. Pure; any thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace storage {

struct ListMerge {
  // The merged list. Its kind (no-date or dated) is theirs: the window never changes a list's
  // kind, so a marker added or removed outside holds.
  ListFileContent content;
  // For each record of mine, its row in content (for a record both sides changed, the row of
  // mine's version); -1 when it is gone.
  std::vector<std::int32_t> rowOfMine;
  // Records both sides changed differently: both versions are in content, mine first.
  std::size_t conflicts = 0;
};

// Records are equal when all their fields and texts are. A record that keeps its text but
// changes its done flag or date is the same record changed.
ListMerge MergeListFiles(const ListFileAsRead& base, const std::vector<ListRecord>& mine,
                         const ListFileAsRead& theirs);

// The list names of the list-order file merged: names added on either side are kept in their
// place; a name removed in the window stays removed; a name removed outside is removed when
// `fileGone(name)` says its list's file is gone too, and kept otherwise, so that no list with
// a file drops out of sight. Of names equal but for letter case (one file on Windows), the
// first is kept.
std::vector<std::string> MergeListNames(const std::vector<std::string>& base,
                                        const std::vector<std::string>& mine,
                                        const std::vector<std::string>& theirs,
                                        const std::function<bool(const std::string&)>& fileGone);

}  // namespace storage
