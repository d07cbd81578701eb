#pragma once
// Searching list files in a scratch folder, with a sink that records what the search sends
// and can ask it to stop.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/folder_test.h"
#include "storage/paths.h"
#include "storage/search/search.h"

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

  std::vector<std::string> results;
  std::function<void(RecordingSink&)> onResult;
  bool stop = false;
  int stopChecks = 0;
};

class SearchTest : public FolderTest {
 protected:
  void WriteList(std::string_view name, const std::string& bytes) {
    Write(m_folder.File(std::string(name) + ".lst"), bytes);
  }
  std::string FolderPath() const { return m_folder.Path() + storage::kPathSeparator; }

  // Searches the given entries, or every file of the folder in byte order.
  std::vector<std::string> Search(std::string_view text,
                                  const std::vector<std::string>* entries = nullptr) {
    const std::vector<std::string> names = entries ? *entries : Names();
    const std::vector<std::string_view> views(names.begin(), names.end());
    storage::SearchListFiles(*m_files, FolderPath(), views, text, m_sink);
    return m_sink.results;
  }

  RecordingSink m_sink;
};
