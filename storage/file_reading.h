#pragma once
// Reading stored files through the files interface: all of a file at once. Lines are then
// taken from the bytes (lines.h).

#include <cstddef>
#include <string>

#include "storage/files.h"

namespace storage {

// Reads the whole file at path into *bytes. Returns kOpened when all of it was read;
// kNotFound when it does not exist; kFailed when it could not be opened or a read failed.
// Unless kOpened, *bytes is empty. Any thread.
OpenResult ReadWholeFile(Files& files, const std::string& path, std::string* bytes);

}  // namespace storage
