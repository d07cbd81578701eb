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
  if (m_atEnd || m_failed) return false;
  m_buffer.erase(0, m_start);
  m_start = 0;
  const std::size_t size = m_buffer.size();
  m_buffer.resize(size + kReadChunk);
  std::size_t got = 0;
  if (!m_file.Read(&m_buffer[size], kReadChunk, &got)) m_failed = true;
  m_buffer.resize(size + got);
  if (got == 0) m_atEnd = true;
  return got > 0;
}

bool LineReader::ReadLine(std::string* line, bool* ended) {
  std::size_t searched = 0;  // bytes after m_start known to hold no line feed
  std::size_t feed;
  while ((feed = m_buffer.find('\n', m_start + searched)) == std::string::npos) {
    searched = m_buffer.size() - m_start;
    if (!Fill()) break;  // Fill keeps the bytes after m_start, moved to the front
  }
  if (m_failed) return false;
  const std::size_t end = feed == std::string::npos ? m_buffer.size() : feed + 1;
  std::string_view rest(m_buffer.data() + m_start, end - m_start);
  Line taken;
  if (!TakeLine(&rest, &taken)) return false;
  line->assign(taken.text.data(), taken.text.size());
  if (ended != nullptr) *ended = taken.ended;
  m_start = end;
  return true;
}

}  // namespace storage
