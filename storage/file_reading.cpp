#include "storage/file_reading.h"

#include "storage/lines.h"

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

bool LineReader::Fill() {
  if (atEnd_ || failed_) return false;
  buffer_.erase(0, start_);
  start_ = 0;
  const std::size_t size = buffer_.size();
  buffer_.resize(size + kReadChunk);
  std::size_t got = 0;
  if (!file_.Read(&buffer_[size], kReadChunk, &got)) failed_ = true;
  buffer_.resize(size + got);
  if (got == 0) atEnd_ = true;
  return got > 0;
}

bool LineReader::ReadLine(std::string* line, bool* ended) {
  std::size_t searched = 0;  // bytes after start_ known to hold no line feed
  std::size_t feed;
  while ((feed = buffer_.find('\n', start_ + searched)) == std::string::npos) {
    searched = buffer_.size() - start_;
    if (!Fill()) break;  // Fill keeps the bytes after start_, moved to the front
  }
  if (failed_) return false;
  const std::size_t end = feed == std::string::npos ? buffer_.size() : feed + 1;
  std::string_view rest(buffer_.data() + start_, end - start_);
  Line taken;
  if (!TakeLine(&rest, &taken)) return false;
  line->assign(taken.text.data(), taken.text.size());
  if (ended != nullptr) *ended = taken.ended;
  start_ = end;
  return true;
}

}  // namespace storage
