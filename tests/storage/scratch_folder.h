#pragma once
// A fresh, empty folder for one test, removed with everything in it when the test ends, and a
// fixture that reads, writes and lists it through the platform's files implementation.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "storage/file_reading.h"
#include "storage/files.h"
#include "storage/paths.h"

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
      m_path = base / ("todo-storage-" + std::to_string(random()));
      if (std::filesystem::create_directory(m_path)) break;
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }

  std::string Path() const { return m_path.string(); }
  std::string File(std::string_view name) const {
    return Path() + storage::kPathSeparator + std::string(name);
  }

 private:
  std::filesystem::path m_path;
};

class FolderTest : public testing::Test {
 protected:
  void Write(const std::string& path, const std::string& bytes) {
    std::unique_ptr<storage::WritableFile> file =
        m_files->OpenForWriting(path, storage::CreateMode::kCreateNew);
    ASSERT_NE(file, nullptr) << path;
    ASSERT_TRUE(file->Append(bytes));
    ASSERT_TRUE(file->Close());
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(storage::ReadWholeFile(*m_files, path, &bytes), storage::OpenResult::kOpened) << path;
    return bytes;
  }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    EXPECT_TRUE(m_files->ListFolder(m_folder.Path(), &names));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::unique_ptr<storage::Files> m_files = storage::NewPlatformFiles();
  ScratchFolder m_folder;
};
