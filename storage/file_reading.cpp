#include "storage/file_reading.h"

#include <algorithm>

namespace storage {

namespace {

// What is read at a time when the file's size is not known, and the least a buffer grows by.
constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

OpenResult ReadWholeFile(Files& files, const std::string& path, std::string* bytes) {
  bytes->clear();
  std::unique_ptr<ReadableFile> file;
  const OpenResult opened = files.OpenForReading(path, &file);
  if (opened != OpenResult::kOpened) return opened;
  // Room for one byte more than the file's size: a read that stops short of it there has met
  // the file's end, and the file is read with one call and no copy.
  std::size_t size = 0;
  const bool sized = file->SizeHint(&size);
  std::size_t room = sized ? size + 1 : kReadChunk;
  std::size_t filled = 0;
  for (;;) {
    if (filled == room) room += std::max(room, kReadChunk);
    bytes->resize(room);
    const std::size_t asked = room - filled;
    std::size_t got = 0;
    if (!file->Read(&(*bytes)[filled], asked, &got)) {
      bytes->clear();
      return OpenResult::kFailed;
    }
    filled += got;
    if (got == 0 || (sized && got < asked && filled == size)) {
      bytes->resize(filled);
      return OpenResult::kOpened;
    }
  }
}

}  // namespace storage
