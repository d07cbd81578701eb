#pragma once
// A fixture with a fresh folder of its own, written, read and listed through the platform's
// files implementation.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "storage/file_reading.h"
#include "storage/files.h"
#include "support/scratch_folder.h"

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
  todo_test::ScratchFolder m_folder;
};
