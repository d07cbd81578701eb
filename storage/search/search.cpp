#include "storage/search/search.h"

#include <string.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "storage/paths.h"
#include "storage/search/search_layout.h"
#include "storage/search/search_line.h"
#include "storage/search/search_scan.h"

namespace storage {

namespace {

// Files are read in pieces of this size at least. A file is read whole into one buffer, kept
// from file to file, that grows to hold the largest file.
constexpr std::size_t kReadSize = 256 * 1024;
// The system copies a file into the buffer much faster where the buffer begins at a multiple of
// this (a large block from the heap begins 8 or 16 bytes past one).
constexpr std::size_t kBufferAlignment = 64;

bool IsEntryWhiteSpace(char byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// The list name of an entry, or false when the entry names no list file.
bool ListNameOf(std::string_view entry, std::string_view* name) {
  std::string_view judged = entry;
  while (!judged.empty() && IsEntryWhiteSpace(judged.front())) judged.remove_prefix(1);
  if (judged.empty() || judged.front() == '*') return false;
  if (judged.size() < kListFileEnding.size()) return false;
  if (judged.substr(judged.size() - kListFileEnding.size()) != kListFileEnding) return false;
  *name = entry.substr(0, entry.size() - kListFileEnding.size());
  return true;
}

// The line that ends at end (a line feed, or the end of the file): without a CR before the
// line feed.
std::string_view LineBefore(const char* begin, const char* end, bool endsWithFeed) {
  std::size_t length = static_cast<std::size_t>(end - begin);
  if (endsWithFeed && length > 0 && begin[length - 1] == '\r') --length;
  return std::string_view(begin, length);
}

// One search: the words, the buffers reused from file to file, and where results go.
class FolderSearch {
 public:
  FolderSearch(OpenFolder& folder, std::string_view text, SearchSink& sink)
      : m_folder(folder), m_sink(sink), m_line(CutSearchWords(text)), m_scanner(m_line.words()) {}

  // Searches one list file: reads it whole, closes it, then tests its lines. False when the
  // search must stop.
  bool SearchFile(const std::string& entry, std::string_view listName);

 private:
  // Grows the buffer to hold at least needed bytes (doubling at least), keeping its first
  // filled bytes.
  void Grow(std::size_t filled, std::size_t needed);
  // Tests the whole lines in [begin, end): all of them end with a line feed, but for the
  // last line of the file. False when the search must stop.
  bool SearchLines(const char* begin, const char* end);
  // Tests the line from begin to end of the block that ends at blockEnd and sends its
  // result; end is a line feed unless it is blockEnd. word is where the fast scan found a
  // word of wordLength bytes in it, if it did. False when the search must stop.
  bool SearchLine(const char* begin, LineEnd end, const char* blockEnd, const char* word = nullptr,
                  std::size_t wordLength = 0);

  OpenFolder& m_folder;
  SearchSink& m_sink;
  LineSearch m_line;
  WordScanner m_scanner;
  std::unique_ptr<char[]> m_block;  // holds the buffer
  char* m_buffer = nullptr;         // in m_block, at a multiple of kBufferAlignment
  std::size_t m_capacity = 0;
  const char* m_fileStart = nullptr;  // the file's first line in the buffer
};

bool FolderSearch::SearchFile(const std::string& entry, std::string_view listName) {
  std::size_t filled = 0;
  bool complete = false;
  {
    // The file is open only within this block: the results are sent after it is closed,
    // since on Windows an open file keeps a save from moving the new file over it.
    std::unique_ptr<ReadableFile> file;
    if (m_folder.OpenForReading(entry, &file) != OpenResult::kOpened) return true;
    // Where a short read ends the file, the buffer's room is asked for and the size is never
    // needed. Otherwise, with the file's size known, room for one byte more: a read that stops
    // short of it there has met the file's end. Either way a file is read with one call.
    const bool shortReadEnds = file->ShortReadEnds();
    std::size_t size = 0;
    const bool sized = !shortReadEnds && file->SizeHint(&size);
    while (!complete) {
      const std::size_t wanted = sized && filled <= size ? size + 1 - filled : kReadSize;
      if (m_capacity - filled < wanted) Grow(filled, filled + wanted);
      const std::size_t asked = m_capacity - filled;
      std::size_t got = 0;
      if (!file->Read(m_buffer + filled, asked, &got)) break;
      if (m_sink.StopRequested()) return false;
      filled += got;
      complete = got == 0 || (got < asked && (shortReadEnds || (sized && filled == size)));
    }
  }
  const char* begin = m_buffer;
  std::size_t whole = filled;
  if (!complete) {
    // A read failed midway: only the lines it completed count.
    const char* feed = FindLastFeed(begin, begin + filled);
    if (feed == nullptr) return true;
    whole = static_cast<std::size_t>(feed + 1 - begin);
  }
  m_line.SetListName(listName);
  m_fileStart = begin;
  return SearchLines(begin, begin + whole);
}

void FolderSearch::Grow(std::size_t filled, std::size_t needed) {
  const std::size_t capacity = std::max(needed, m_capacity == 0 ? 2 * kReadSize : 2 * m_capacity);
  // The scanner reads a little past the lines it is given: room that is never read into,
  // written here once.
  std::unique_ptr<char[]> grown(
      new char[capacity + WordScanner::kReadsPastEnd + kBufferAlignment]());
  const std::size_t misaligned = reinterpret_cast<std::uintptr_t>(grown.get()) % kBufferAlignment;
  char* buffer = grown.get() + (misaligned == 0 ? 0 : kBufferAlignment - misaligned);
  if (filled > 0) std::memcpy(buffer, m_buffer, filled);
  m_block = std::move(grown);
  m_buffer = buffer;
  m_capacity = capacity;
}

// Inline: it runs for every line that may give a result.
inline bool FolderSearch::SearchLine(const char* begin, LineEnd end, const char* blockEnd,
                                     const char* word, std::size_t wordLength) {
  if (m_sink.StopRequested()) return false;
  const std::size_t knownAt = word ? static_cast<std::size_t>(word - begin) : LineSearch::kNowhere;
  if (m_line.Test(LineBefore(begin, end.at, end.at < blockEnd), begin == m_fileStart, end.plain,
                  knownAt, wordLength)) {
    m_sink.Result(m_line.result().data(), m_line.result().size());
  }
  return true;
}

bool FolderSearch::SearchLines(const char* begin, const char* end) {
  const char* pos = begin;
  if (m_line.NeedsEveryLine()) {
    while (pos < end) {
      const LineEnd lineEnd = FindLineEnd(pos, end);
      if (!SearchLine(pos, lineEnd, end)) return false;
      pos = lineEnd.at + 1;
    }
    return true;
  }
  // Only a line that holds a word can match: jump from one such line to the next.
  m_scanner.Reset(begin, end);
  WordScanner::Line line;
  while (m_scanner.NextLine(&line)) {
    if (!SearchLine(line.begin, line.end, end, line.word, line.wordLength)) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> CutSearchWords(std::string_view text) {
  const std::size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  std::vector<std::string> words;
  for (;;) {
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos || space == 0) break;
    words.emplace_back(text.substr(0, space));
    text.remove_prefix(space + 1);
  }
  words.emplace_back(text);
  return words;
}

bool RefuseUnsupportedSearchMode(int mode, SearchSink& sink) {
  if (mode == kFullTextSearchMode) return false;
  static const char kUnsupportedMode[] = "非対応の検索モードです。";
  sink.Result(kUnsupportedMode, sizeof(kUnsupportedMode) - 1);
  return true;
}

void SearchListFiles(Files& files, const std::string& folderPath,
                     const std::vector<std::string_view>& entries, std::string_view text,
                     SearchSink& sink) {
  // The folder is kept open, so that each file is found from it by name.
  const std::unique_ptr<OpenFolder> folder = files.OpenFolderForReading(folderPath);
  FolderSearch search(*folder, text, sink);
  std::string name;
  for (const std::string_view entry : entries) {
    if (sink.StopRequested()) return;
    std::string_view listName;
    if (!ListNameOf(entry, &listName)) continue;
    name.assign(entry.data(), entry.size());
    if (!search.SearchFile(name, listName)) return;
  }
}

}  // namespace storage
