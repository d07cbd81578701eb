// A reader and a writer at once: while one thread saves the list files over and over, another
// reads them whole through the real files implementation, as the host's search does.
// Every read must find the file and see one whole version of it.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/storage_records.h"
#include "support/folder_test.h"
#include "storage/file_reading.h"
#include "storage/lines.h"
#include "storage/list_store.h"

namespace {

// Each Wine file operation runs through an emulator here, so the Windows build saves fewer
// times.
#if defined(_WIN32)
constexpr int kSaves = 2000;
#else
constexpr int kSaves = 10000;
#endif
constexpr int kLists = 3;
constexpr int kVersions = 4;

storage::ListFileContent Version(int version) {
  storage::ListFileContent content;
  content.noDate = version % 2 == 1;
  // Versions differ in length, so that a torn or mixed read cannot look like a whole one.
  for (int i = 0; i < 20 + version * 150; ++i) {
    content.records.push_back(Rec(version, 2026, 1 + i % 12, 1 + i % 28,
                                  "version " + std::to_string(version) + " item " +
                                      std::to_string(i) + std::string(i % 50, '\x88')));
  }
  return content;
}

std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  storage::Line line;
  while (storage::TakeLine(&bytes, &line)) lines.emplace_back(line.text);
  return lines;
}

TEST(ReaderRace, ReaderNeverSeesMissingOrPartialFile) {
  std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  todo_test::ScratchFolder folder;
  std::vector<std::string> paths;
  std::vector<std::vector<std::string>> versions;
  std::vector<storage::ListFileContent> contents;
  for (int v = 0; v < kVersions; ++v) {
    contents.push_back(Version(v));
    versions.push_back(LinesOf(storage::FormatListFile(contents.back())));
  }
  for (int list = 0; list < kLists; ++list) {
    paths.push_back(folder.File("List" + std::to_string(list) + ".lst"));
    ASSERT_TRUE(storage::SaveListFile(*files, paths.back(), contents[0]));
  }

  std::atomic<bool> writing{true};
  int reads = 0, missing = 0, failed = 0, partial = 0;
  std::thread reader([&] {
    std::string bytes;
    while (writing.load()) {
      for (const std::string& path : paths) {
        const storage::OpenResult opened = storage::ReadWholeFile(*files, path, &bytes);
        if (opened != storage::OpenResult::kOpened) {
          ++(opened == storage::OpenResult::kNotFound ? missing : failed);
          continue;
        }
        const std::vector<std::string> lines = LinesOf(bytes);
        ++reads;
        bool whole = false;
        for (const auto& version : versions) whole = whole || lines == version;
        if (!whole) ++partial;
      }
    }
  });

  int saveFailures = 0;
  for (int i = 0; i < kSaves; ++i) {
    if (!storage::SaveListFile(*files, paths[i % kLists], contents[i % kVersions])) ++saveFailures;
  }
  writing = false;
  reader.join();

  EXPECT_EQ(saveFailures, 0);
  EXPECT_GT(reads, 0);
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(partial, 0);
}

}  // namespace
