// Comparing a file on disk with the bytes read last, as a save does before it writes: a file
// another program changed anywhere, or made longer or shorter, must never pass for unchanged.

#include <gtest/gtest.h>

#include <string>

#include "storage/file_reading.h"
#include "support/folder_test.h"

namespace {

using storage::OpenResult;

using FileCompareTest = FolderTest;

TEST_F(FileCompareTest, OnlyTheSameBytesCountAsUnchanged) {
  // Longer than a piece read at a time, so that a difference in a later piece counts too.
  std::string read(200000, 'a');
  for (std::size_t at = 0; at < read.size(); at += 97) read[at] = '\n';
  std::string lastByteChanged = read;
  lastByteChanged.back() = 'b';
  std::string firstByteChanged = read;
  firstByteChanged.front() = 'b';
  const struct {
    const char* name;
    bool exists;
    std::string disk;
    std::string expected;
    OpenResult result;
    bool same;
  } cases[] = {
      {"the same long file", true, read, read, OpenResult::kOpened, true},
      {"its last byte changed", true, lastByteChanged, read, OpenResult::kOpened, false},
      {"its first byte changed", true, firstByteChanged, read, OpenResult::kOpened, false},
      {"a line added at its end", true, read + "x\r\n", read, OpenResult::kOpened, false},
      {"its end cut off", true, read.substr(0, 150000), read, OpenResult::kOpened, false},
      {"an empty file, empty before", true, "", "", OpenResult::kOpened, true},
      {"an empty file, not before", true, "", "x", OpenResult::kOpened, false},
      {"no file, none before", false, "", "", OpenResult::kNotFound, true},
      {"no file, one before", false, "", "x", OpenResult::kNotFound, false},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = m_folder.File("list" + std::to_string(++number) + ".lst");
    if (c.exists) Write(path, c.disk);
    bool same = !c.same;
    EXPECT_EQ(storage::CompareWholeFile(*m_files, path, c.expected, &same), c.result);
    EXPECT_EQ(same, c.same);
  }
}

}  // namespace
