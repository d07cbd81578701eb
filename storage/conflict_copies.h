#pragma once
// Conflicted copies: when two machines share the list folder through a folder-synchronising
// program and both changed one list file, such programs keep the other version as a file of
// its own beside it, "<name> (… conflicted copy …).lst" or "<name>.sync-conflict-….lst". Pure;
// any thread.

#include <string>
#include <string_view>

namespace storage {

// Whether `fileName` (a name in the list folder, not a path) is a conflicted copy of a list's
// file; then *listName is the list's name.
bool IsConflictCopy(std::string_view fileName, std::string* listName);

// The name a copy takes once it was merged into its list, so that it is not merged again and
// no longer ends in ".lst" (the search passes over it): its name with ".merged" after it.
std::string MergedCopyName(std::string_view fileName);

}  // namespace storage
