#pragma once
// Searching list files: a sink that records what the search sends and can ask it to stop,
// list files held in memory that hand out their bytes in pieces, and a fixture that searches
// a scratch folder, with a table of folders and the results they must give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/folder_test.h"
#include "storage/paths.h"
#include "support/storage_records.h"
#include "storage/search/search.h"

using Lines = std::vector<std::string>;
using FolderFiles = std::vector<std::pair<std::string, std::string>>;  // file name, bytes

class RecordingSink : public storage::SearchSink {
 public:
  bool StopRequested() override {
    ++stopChecks;
    return stop;
  }
  void Result(const char* line, std::size_t length) override {
    EXPECT_EQ(line[length], '\0') << "a result line must be zero-terminated";
    results.emplace_back(line, length);
    if (onResult) onResult(*this);
  }

  Lines results;
  std::function<void(RecordingSink&)> onResult;
  bool stop = false;
  int stopChecks = 0;
};

// Files held in memory in the folder "/", handed out at most piece bytes a read; the read
// numbered failingRead (counted over all files from 1, 0 for none) fails. Counts the files
// open for reading. Nothing else can be done with them.
class MemoryFiles : public storage::Files {
 public:
  MemoryFiles(const FolderFiles& files, std::size_t piece, int failingRead = 0)
      : m_piece(piece), m_failingRead(failingRead) {
    for (const auto& file : files) m_files["/" + file.first] = file.second;
  }

  int OpenReaders() const { return m_openReaders; }

  storage::OpenResult OpenForReading(const std::string& path,
                                     std::unique_ptr<storage::ReadableFile>* file) override {
    const auto found = m_files.find(path);
    file->reset(found == m_files.end() ? nullptr : new MemoryFile(found->second, *this));
    return *file ? storage::OpenResult::kOpened : storage::OpenResult::kNotFound;
  }
  std::unique_ptr<storage::WritableFile> OpenForWriting(const std::string&,
                                                        storage::CreateMode) override {
    return nullptr;
  }
  bool CreateFolder(const std::string&) override { return false; }
  bool SetCurrentFolder(const std::string&) override { return false; }
  bool Delete(const std::string&) override { return false; }
  bool MoveReplacing(const std::string&, const std::string&, storage::IfHeld) override {
    return false;
  }
  std::unique_ptr<storage::HeldLock> Lock(const std::string&, storage::IfHeld) override {
    return nullptr;
  }
  bool ListFolder(const std::string&, std::vector<std::string>*) override { return false; }

 private:
  class MemoryFile : public storage::ReadableFile {
   public:
    MemoryFile(const std::string& bytes, MemoryFiles& files) : m_bytes(bytes), m_files(files) {
      ++m_files.m_openReaders;
    }
    ~MemoryFile() override { --m_files.m_openReaders; }
    bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
      *count = 0;
      if (++m_files.m_reads == m_files.m_failingRead) return false;
      *count = std::min({capacity, m_files.m_piece, m_bytes.size() - m_at});
      if (*count > 0) std::memcpy(buffer, m_bytes.data() + m_at, *count);
      m_at += *count;
      return true;
    }

   private:
    const std::string& m_bytes;
    MemoryFiles& m_files;
    std::size_t m_at = 0;
  };

  std::map<std::string, std::string> m_files;
  std::size_t m_piece;
  int m_failingRead;
  int m_reads = 0;
  int m_openReaders = 0;
};

// What the search of the entries of folder (ending in a separator), in their order, sends.
inline Lines SearchEntries(storage::Files& files, const std::string& folder,
                           const std::vector<std::string>& entries, std::string_view text,
                           RecordingSink& sink) {
  const std::vector<std::string_view> views(entries.begin(), entries.end());
  storage::SearchListFiles(files, folder, views, text, sink);
  return sink.results;
}

class SearchTest : public FolderTest {
 protected:
  void WriteList(std::string_view name, const std::string& bytes) {
    Write(m_folder.File(std::string(name) + ".lst"), bytes);
  }
  std::string FolderPath() const { return m_folder.Path() + storage::kPathSeparator; }

  // Searches the given entries, or every file of the folder in byte order.
  Lines Search(std::string_view text, const std::vector<std::string>* entries = nullptr) {
    return SearchEntries(*m_files, FolderPath(), entries ? *entries : Names(), text, m_sink);
  }

  RecordingSink m_sink;
};

// A folder, a search text and exactly the results it must give.
struct SearchCase {
  const char* name;
  std::string home;  // the bytes of Home.lst; no such file when empty
  std::string text;
  std::string results;  // the result lines, one after another, each but the last ending in \n
  FolderFiles others = {};
  std::vector<std::string> entries = {};  // none: every file of the folder, in byte order
};

class SearchResults : public SearchTest, public testing::WithParamInterface<SearchCase> {};
