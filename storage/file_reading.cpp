#include "storage/file_reading.h"

#include <algorithm>
#include <memory>

#include "storage/byte_scan.h"

namespace storage {

namespace {

// What is read at a time when the file's size is not known, and the least a buffer grows by.
constexpr std::size_t kReadChunk = 64 * 1024;
// What is read at a time to be compared.
constexpr std::size_t kComparePiece = 64 * 1024;

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

OpenResult CompareWholeFile(Files& files, const std::string& path, std::string_view expected,
                            bool* same) {
  *same = false;
  std::unique_ptr<ReadableFile> file;
  const OpenResult opened = files.OpenForReading(path, &file);
  if (opened == OpenResult::kNotFound) *same = expected.empty();
  if (opened != OpenResult::kOpened) return opened;
  std::size_t size = 0;
  const bool sized = file->SizeHint(&size);
  if (sized && size != expected.size()) return OpenResult::kOpened;
  const std::unique_ptr<char[]> piece(new char[kComparePiece]);
  std::size_t compared = 0;
  for (;;) {
    std::size_t got = 0;
    if (!file->Read(piece.get(), kComparePiece, &got)) return OpenResult::kFailed;
    if (got == 0) break;
    if (got > expected.size() - compared ||
        !SameBytes(std::string_view(piece.get(), got), expected.substr(compared, got))) {
      return OpenResult::kOpened;
    }
    compared += got;
    if (got < kComparePiece && (file->ShortReadEnds() || (sized && compared == size))) break;
  }
  *same = compared == expected.size();
  return OpenResult::kOpened;
}

}  // namespace storage
