// The platform's files implementation, on a real folder: what each operation promises to the
// saves and loads above it, and reading lines of any length.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/storage_records.h"
#include "support/folder_test.h"
#include "storage/file_reading.h"
#include "storage/lines.h"
#include "storage/list_store.h"
#include "storage/paths.h"

namespace {

using storage::CreateMode;
using storage::OpenResult;

using FilesTest = FolderTest;

// The tool makes its list folder in the host's data folder whenever it starts: a second
// start must leave the folder and the lists in it as they are.
TEST_F(FilesTest, ListFolderIsMadeOnceAndKeptWithItsLists) {
  const std::string data = m_folder.File("data");
  ASSERT_TRUE(m_files->CreateFolder(data));
  storage::MakeListFolder(*m_files, data);
  const std::string list = storage::ListFilePath(data, "a");
  Write(list, "0,2026,1,1,kept\r\n");
  storage::MakeListFolder(*m_files, data);
  EXPECT_EQ(Read(list), "0,2026,1,1,kept\r\n");
  std::vector<std::string> names;
  ASSERT_TRUE(m_files->ListFolder(storage::ListFolderPath(data), &names));
  EXPECT_EQ(names, std::vector<std::string>{"a.lst"});
}

TEST_F(FilesTest, MissingFileIsToldApartFromUnreadableOne) {
  std::unique_ptr<storage::ReadableFile> file;
  EXPECT_EQ(m_files->OpenForReading(m_folder.File("none.lst"), &file), OpenResult::kNotFound);
  EXPECT_EQ(
      m_files->OpenForReading(m_folder.File("none") + storage::kPathSeparator + "x.lst", &file),
      OpenResult::kNotFound);
  ASSERT_TRUE(m_files->CreateFolder(m_folder.File("sub")));
  EXPECT_EQ(m_files->OpenForReading(m_folder.File("sub"), &file), OpenResult::kFailed);
  EXPECT_EQ(file, nullptr);
}

TEST_F(FilesTest, CreateNewNeverEmptiesAnExistingFile) {
  const std::string path = m_folder.File("a.lst");
  Write(path, "old");
  EXPECT_EQ(m_files->OpenForWriting(path, CreateMode::kCreateNew), nullptr);
  EXPECT_EQ(Read(path), "old");
  ASSERT_NE(m_files->OpenForWriting(path, CreateMode::kCreateOrTruncate), nullptr);
  EXPECT_EQ(Read(path), "");
}

TEST_F(FilesTest, MoveReplacesTheTargetInOneStep) {
  Write(m_folder.File("new"), "new");
  Write(m_folder.File("a.lst"), "old");
  ASSERT_TRUE(m_files->MoveReplacing(m_folder.File("new"), m_folder.File("a.lst"),
                                     storage::IfHeld::kWaitAMoment));
  EXPECT_EQ(Read(m_folder.File("a.lst")), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.lst"});
  EXPECT_FALSE(m_files->MoveReplacing(m_folder.File("new"), m_folder.File("a.lst"),
                                      storage::IfHeld::kWaitAMoment));
  EXPECT_TRUE(m_files->Delete(m_folder.File("a.lst")));
  EXPECT_FALSE(m_files->Delete(m_folder.File("a.lst")));
}

// Two windows that both took the folder's lock would write over each other's changes; a lock
// let go must leave no file behind, or the folder would fill with them.
TEST_F(FilesTest, ALockHasOneHolderAtATimeAndLeavesNothingBehind) {
  const std::string path = m_folder.File("~lock.tmp");
  {
    const auto first = m_files->Lock(path, storage::IfHeld::kFailAtOnce);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(m_files->Lock(path, storage::IfHeld::kFailAtOnce), nullptr);
    EXPECT_EQ(m_files->Lock(path, storage::IfHeld::kWaitAMoment), nullptr) << "after a second";
  }
  EXPECT_TRUE(Names().empty());
  EXPECT_NE(m_files->Lock(path, storage::IfHeld::kFailAtOnce), nullptr);
  EXPECT_TRUE(Names().empty());
}

TEST_F(FilesTest, ListFolderGivesFileNamesWithoutFolders) {
  Write(m_folder.File("b.lst"), "");
  Write(m_folder.File("ListInfo.dat"), "");
  ASSERT_TRUE(m_files->CreateFolder(m_folder.File("sub")));
  EXPECT_FALSE(m_files->CreateFolder(m_folder.File("sub")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"ListInfo.dat", "b.lst"}));
  std::vector<std::string> names{"stale"};
  EXPECT_FALSE(m_files->ListFolder(m_folder.File("none"), &names));
  EXPECT_TRUE(names.empty());
}

// A path holding a zero byte names no shorter file; on Windows a path longer than the
// platform's limit cannot be opened either (elsewhere it is a path like any other).
TEST_F(FilesTest, PathsThatNameNoFileCannotBeOpenedOrSaved) {
  std::vector<std::string> paths = {m_folder.File(std::string("a\0b.lst", 7))};
#if defined(_WIN32)
  paths.push_back(m_folder.File(std::string(300, 'n') + ".lst"));
#endif
  for (const std::string& path : paths) {
    SCOPED_TRACE(path.size());
    EXPECT_EQ(m_files->OpenForWriting(path, CreateMode::kCreateOrTruncate), nullptr);
    std::unique_ptr<storage::ReadableFile> file;
    EXPECT_EQ(m_files->OpenForReading(path, &file), OpenResult::kFailed);
    EXPECT_FALSE(storage::SaveListFile(*m_files, path, storage::ListFileContent()));
    EXPECT_TRUE(Names().empty());
  }
}

TEST_F(FilesTest, DoubleByteNameWithBackslashTrailByteIsSavedInItsFolder) {
  // "表" in code page 932 is 0x95 0x5C: its second byte is a backslash.
  const std::string name = "\x95\\.lst";
  storage::ListFileContent content;
  content.records.push_back(Rec(1, 2026, 12, 7, "\x95\\"));
  ASSERT_TRUE(storage::SaveListFile(*m_files, m_folder.File(name), content));
  EXPECT_EQ(Names(), std::vector<std::string>{name});
  storage::ListFileAsRead back;
  ASSERT_EQ(storage::LoadListFile(*m_files, m_folder.File(name), &back), OpenResult::kOpened);
  EXPECT_EQ(back.ToContent().records, content.records);
}

TEST_F(FilesTest, RelativeListOrderPathFollowsCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  ASSERT_TRUE(m_files->CreateFolder(m_folder.File("ToDoList")));
  ASSERT_TRUE(m_files->SetCurrentFolder(m_folder.Path()));
  const bool saved = storage::SaveListOrder(*m_files, storage::ListOrderPath(), {"Home", "Work"});
  std::filesystem::current_path(before);
  ASSERT_TRUE(saved);
  EXPECT_EQ(Read(m_folder.File("ToDoList") + storage::kPathSeparator + "ListInfo.dat"),
            "Home\r\nWork\r\n");
}

TEST_F(FilesTest, FilesAreReadWholeWithLongLinesAndAllLineEnds) {
  const std::string longLine(200000, '\x88');
  const std::string path = m_folder.File("lines.lst");
  Write(path, longLine + "\r\nb\n\r\nc\032d\rx\r\nlast");  // \032 is Ctrl-Z
  std::string bytes;
  ASSERT_EQ(storage::ReadWholeFile(*m_files, path, &bytes), OpenResult::kOpened);
  std::string_view rest = bytes;
  std::vector<std::string> lines;
  storage::Line line;
  while (storage::TakeLine(&rest, &line)) lines.emplace_back(line.text);
  EXPECT_FALSE(line.ended);  // the last line had no line end
  EXPECT_EQ(lines, (std::vector<std::string>{longLine, "b", "", "c\032d\rx", "last"}));
}

}  // namespace
