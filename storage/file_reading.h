#pragma once
// Reading stored files through the files interface: all of a file at once. Lines are then
// taken from the bytes (lines.h).

#include <cstddef>
#include <string>
#include <string_view>

#include "storage/files.h"

namespace storage {

// Reads the whole file at path into *bytes. Returns kOpened when all of it was read;
// kNotFound when it does not exist; kFailed when it could not be opened or a read failed.
// Unless kOpened, *bytes is empty. Any thread.
OpenResult ReadWholeFile(Files& files, const std::string& path, std::string* bytes);

// Compares the file at path with expected while reading it in pieces into a small buffer, so
// that a long file that still holds what was read or written last is never copied whole.
// Returns what ReadWholeFile would, and sets *same to whether the bytes it would give equal
// expected: for kNotFound, whether expected is empty; for kFailed, false. A file found to
// differ is read no further. Any thread.
OpenResult CompareWholeFile(Files& files, const std::string& path, std::string_view expected,
                            bool* same);

}  // namespace storage
