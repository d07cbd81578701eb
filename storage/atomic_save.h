#pragma once
// Saves that replace a file in one step. The new content goes to a temporary file in the same
// folder, named "~save<N>.tmp" (N from 0 to 7, the first that does not exist yet), which is
// flushed to the disk, closed and moved over the old file. A reader, a crash or a full disk
// thus finds the old file or the new one, never a torn, empty or missing file. The
// temporary names never end in ".lst", so the search never takes one for a list.

#include <string>
#include <string_view>

#include "storage/files.h"

namespace storage {

// Makes bytes the content of the file at path (made when missing). Returns true when the new
// content is in place. On failure returns false, the old file is unchanged and the temporary
// file is deleted (unless deleting fails too; then RemoveLeftoverSaves removes it later).
// ifHeld says whether the move waits while another program holds the file (Files::
// MoveReplacing). Any thread; saves may run at once, since each takes a temporary name of its
// own (of two saves of one file, the one that moves last wins).
bool SaveFileAtomically(Files& files, const std::string& path, std::string_view bytes,
                        IfHeld ifHeld = IfHeld::kWaitAMoment);

// Whether a file name (not a path) is one that SaveFileAtomically gives its temporary files.
bool IsTemporarySaveName(std::string_view name);

// Deletes the temporary files in folder that saves interrupted by a crash left behind.
// Requires that no save into folder is under way. Returns false when the folder could not be
// listed or a file could not be deleted. Any thread.
bool RemoveLeftoverSaves(Files& files, const std::string& folder);

}  // namespace storage
