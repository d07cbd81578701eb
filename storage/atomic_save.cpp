#include "storage/atomic_save.h"

#include <memory>

#include "storage/paths.h"

namespace storage {

namespace {

constexpr std::string_view kTemporaryPrefix = "~save";
constexpr std::string_view kTemporaryEnding = ".tmp";
// A temporary name is taken only if no file has it, so that two saves never write into one
// temporary file; leftovers of crashes may hold a few names until the next load.
constexpr int kTemporaryNames = 8;

std::string FolderOf(const std::string& path) {
  const std::size_t length = FolderPartLength(path);
  return length == 0 ? std::string() : path.substr(0, length);
}

}  // namespace

bool IsTemporarySaveName(std::string_view name) {
  if (name.size() <= kTemporaryPrefix.size() + kTemporaryEnding.size() ||
      name.substr(0, kTemporaryPrefix.size()) != kTemporaryPrefix ||
      name.substr(name.size() - kTemporaryEnding.size()) != kTemporaryEnding) {
    return false;
  }
  name.remove_prefix(kTemporaryPrefix.size());
  name.remove_suffix(kTemporaryEnding.size());
  for (char byte : name) {
    if (byte < '0' || byte > '9') return false;
  }
  return true;
}

bool SaveFileAtomically(Files& files, const std::string& path, std::string_view bytes,
                        IfHeld ifHeld) {
  const std::string folder = FolderOf(path);
  std::string temporary;
  std::unique_ptr<WritableFile> file;
  for (int number = 0; number < kTemporaryNames && file == nullptr; ++number) {
    temporary = folder;
    temporary += kTemporaryPrefix;
    temporary += std::to_string(number);
    temporary += kTemporaryEnding;
    file = files.OpenForWriting(temporary, CreateMode::kCreateNew);
  }
  if (file == nullptr) return false;

  bool written = file->Append(bytes) && file->Flush();
  written = file->Close() && written;  // closed in any case, so that it can be deleted
  file.reset();
  if (written && files.MoveReplacing(temporary, path, ifHeld)) return true;
  files.Delete(temporary);
  return false;
}

bool RemoveLeftoverSaves(Files& files, const std::string& folder) {
  std::vector<std::string> names;
  if (!files.ListFolder(folder, &names)) return false;
  std::string prefix = folder;
  if (!prefix.empty() && FolderPartLength(prefix) != prefix.size()) prefix += kPathSeparator;
  bool removed = true;
  for (const std::string& name : names) {
    if (IsTemporarySaveName(name) && !files.Delete(prefix + name)) removed = false;
  }
  return removed;
}

}  // namespace storage
