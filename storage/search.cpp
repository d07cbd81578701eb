#include "storage/search.h"

#include <string.h>

#include <cstring>
#include <memory>
#include <utility>

#include "storage/paths.h"
#include "storage/search_layout.h"
#include "storage/search_line.h"
#include "storage/search_scan.h"

namespace storage {

namespace {

// Files are read in pieces of this size at least; a line longer than the buffer grows it.
constexpr std::size_t kReadSize = 256 * 1024;

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
  FolderSearch(Files& files, std::string_view text, SearchSink& sink)
      : files_(files), sink_(sink), line_(CutSearchWords(text)), scanner_(line_.words()) {}

  // Searches one list file; false when the search must stop.
  bool SearchFile(const std::string& path, std::string_view listName);

 private:
  // Tests the whole lines in [begin, end): all of them end with a line feed, but for the
  // last line of the file. False when the search must stop.
  bool SearchLines(const char* begin, const char* end);
  // Tests the line from begin to end of the block that ends at blockEnd and sends its
  // result; end is a line feed unless it is blockEnd. word is where the fast scan found a
  // word of wordLength bytes in it, if it did. False when the search must stop.
  bool SearchLine(const char* begin, LineEnd end, const char* blockEnd, const char* word = nullptr,
                  std::size_t wordLength = 0);

  Files& files_;
  SearchSink& sink_;
  LineSearch line_;
  WordScanner scanner_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  const char* fileStart_ = nullptr;  // the file's first line in the block searched, or null
};

bool FolderSearch::SearchFile(const std::string& path, std::string_view listName) {
  std::unique_ptr<ReadableFile> file;
  if (files_.OpenForReading(path, &file) != OpenResult::kOpened) return true;
  line_.SetListName(listName);
  std::size_t filled = 0;
  fileStart_ = nullptr;
  bool first = true;  // the buffer starts with the file's first line
  for (;;) {
    if (capacity_ - filled < kReadSize) {
      // Only a line longer than what is kept makes the buffer grow.
      const std::size_t capacity = capacity_ == 0 ? 2 * kReadSize : 2 * capacity_;
      // The scanner reads a little past the lines it is given: room that is never read into,
      // written here once.
      std::unique_ptr<char[]> grown(new char[capacity + WordScanner::kReadsPastEnd]());
      if (filled > 0) std::memcpy(grown.get(), buffer_.get(), filled);
      buffer_ = std::move(grown);
      capacity_ = capacity;
    }
    std::size_t got = 0;
    if (!file->Read(buffer_.get() + filled, capacity_ - filled, &got)) return true;
    if (sink_.StopRequested()) return false;
    filled += got;
    const bool atEnd = got == 0;
    const char* begin = buffer_.get();
    // What was kept from before holds no line feed: look for the last one in what came now.
    const char* feed = atEnd ? nullptr : FindLastFeed(begin + filled - got, begin + filled);
    if (!atEnd && feed == nullptr) continue;  // the line goes on
    const std::size_t whole = atEnd ? filled : static_cast<std::size_t>(feed + 1 - begin);
    fileStart_ = first ? begin : nullptr;
    if (!SearchLines(begin, begin + whole)) return false;
    if (atEnd) return true;
    first = false;
    std::memmove(buffer_.get(), buffer_.get() + whole, filled - whole);
    filled -= whole;
  }
}

// Inline: it runs for every line that may give a result.
inline bool FolderSearch::SearchLine(const char* begin, LineEnd end, const char* blockEnd,
                                     const char* word, std::size_t wordLength) {
  if (sink_.StopRequested()) return false;
  const std::size_t knownAt = word ? static_cast<std::size_t>(word - begin) : LineSearch::kNowhere;
  if (line_.Test(LineBefore(begin, end.at, end.at < blockEnd), begin == fileStart_, end.plain,
                 knownAt, wordLength)) {
    sink_.Result(line_.result().data(), line_.result().size());
  }
  return true;
}

bool FolderSearch::SearchLines(const char* begin, const char* end) {
  const char* pos = begin;
  if (line_.NeedsEveryLine()) {
    while (pos < end) {
      const LineEnd lineEnd = FindLineEnd(pos, end);
      if (!SearchLine(pos, lineEnd, end)) return false;
      pos = lineEnd.at + 1;
    }
    return true;
  }
  // Only a line that holds a word can match: jump from one such line to the next.
  scanner_.Reset(begin, end);
  WordScanner::Line line;
  while (scanner_.NextLine(&line)) {
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

void SearchListFiles(Files& files, const std::string& folderPath,
                     const std::vector<std::string_view>& entries, std::string_view text,
                     SearchSink& sink) {
  FolderSearch search(files, text, sink);
  std::string path;
  for (const std::string_view entry : entries) {
    if (sink.StopRequested()) return;
    std::string_view listName;
    if (!ListNameOf(entry, &listName)) continue;
    path.assign(folderPath);
    path.append(entry.data(), entry.size());
    if (!search.SearchFile(path, listName)) return;
  }
}

}  // namespace storage
