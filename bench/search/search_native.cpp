// The native side of the search benchmark, one program with three commands:
//
//   search_native make FOLDER          makes the search data: 2,000 list files in FOLDER
//   search_native search FOLDER TEXT   the tool's search over FOLDER's list files, each result
//                                      line and a line feed written to standard output in
//                                      blocks, as the host's console search writes them raw
//   search_native reference FOLDER TEXT
//                                      the number of matching records by a slow and plain
//                                      reading of the matching rule, to check the search's
//                                      count against (grep's count is no check: it also finds
//                                      a Latin letter that is the second byte of a double-byte
//                                      character)

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench_data.h"
#include "dirscan/dirscan.h"
#include "storage/files.h"
#include "storage/search/search.h"

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

bool WriteAll(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(STDOUT_FILENO, data, size);
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Collects result lines and writes them in blocks.
class StdoutSink : public storage::SearchSink {
 public:
  StdoutSink() { m_pending.reserve(kBlockSize + 4096); }
  ~StdoutSink() override { Flush(); }
  bool StopRequested() override { return false; }
  void Result(const char* line, std::size_t length) override {
    m_pending.append(line, length);
    m_pending += '\n';
    if (m_pending.size() >= kBlockSize) Flush();
  }
  void Flush() {
    WriteAll(m_pending.data(), m_pending.size());
    m_pending.clear();
  }

 private:
  std::string m_pending;
};

int Make(const std::string& folder) {
  bench::RecordMaker maker;
  long long total = 0;
  for (int file = 0; file < bench::kSearchFiles; ++file) {
    const std::string bytes = bench::SearchListFile(maker, file);
    std::ofstream out(folder + "/" + bench::SearchListFileName(file), std::ios::binary);
    out << bytes;
    if (!out) {
      std::fprintf(stderr, "search_native: cannot write into %s\n", folder.c_str());
      return 1;
    }
    total += static_cast<long long>(bytes.size());
  }
  std::printf("%d files of %d records, %lld bytes\n", bench::kSearchFiles, bench::kSearchRecords,
              total);
  return 0;
}

// The search as the tool does it: the folder's entries from the file-search library.
int Search(const std::string& folder, const std::string& text) {
  const std::string path = folder + "/";
  CSerchFiles list(path.c_str(), 0);
  const CStringArray& names = *list.gFc_GetListFiles();
  std::vector<std::string_view> entries;
  entries.reserve(static_cast<std::size_t>(names.GetSize()));
  for (int i = 0; i < names.GetSize(); ++i) entries.emplace_back(names[i].GetString());
  const std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  StdoutSink sink;
  storage::SearchListFiles(*files, path, entries, text, sink);
  return 0;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// Line by line and place by place. Good for words without commas and tabs, which the
// separators made tabs do not touch.
int Reference(const std::string& folder, const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t space = text.find(' ', at);
    const std::size_t end = space == std::string::npos ? text.size() : space;
    words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  long count = 0;
  CSerchFiles list((folder + "/").c_str(), 0);
  const CStringArray& names = *list.gFc_GetListFiles();
  for (int n = 0; n < names.GetSize(); ++n) {
    std::ifstream in(folder + "/" + names[n].GetString(), std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const bool marker = first && line == "NO_DATE";
      first = false;
      if (line.empty() || marker) continue;
      bool found = false;
      for (std::size_t at = 0; at < line.size() && !found;
           at += IsLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1) {
        for (const std::string& word : words) {
          if (line.compare(at, word.size(), word) == 0) found = true;
        }
      }
      if (found) ++count;
    }
  }
  std::printf("%ld\n", count);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "make") == 0) return Make(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "search") == 0) return Search(argv[2], argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "reference") == 0) return Reference(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: search_native make FOLDER | search FOLDER TEXT | reference FOLDER TEXT\n");
  return 2;
}
