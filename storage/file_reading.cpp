#include "storage/file_reading.h"

namespace storage {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

OpenResult ReadWholeFile(Files& files, const std::string& path, std::string* bytes) {
  bytes->clear();
  std::unique_ptr<ReadableFile> file;
  const OpenResult opened = files.OpenForReading(path, &file);
  if (opened != OpenResult::kOpened) return opened;
  for (;;) {
    const std::size_t size = bytes->size();
    bytes->resize(size + kReadChunk);
    std::size_t got = 0;
    if (!file->Read(&(*bytes)[size], kReadChunk, &got)) {
      bytes->clear();
      return OpenResult::kFailed;
    }
    bytes->resize(size + got);
    if (got == 0) return OpenResult::kOpened;
  }
}

}  // namespace storage
