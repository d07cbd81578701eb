// Saves under failure: whichever file operation of a save fails, once or for good, the stored
// file is its old version or its new one, never torn or empty, the caller hears of the
// failure, and no temporary file outlives the next load.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "support/storage_records.h"
#include "support/folder_test.h"
#include "storage/atomic_save.h"
#include "support/fault_injecting_files.h"
#include "storage/list_file_as_read.h"
#include "storage/list_store.h"
#include "storage/paths.h"

namespace {

using storage::FaultInjectingFiles;
using storage::OpenResult;

storage::ListFileContent Items(int count, const std::string& text) {
  storage::ListFileContent content;
  for (int i = 0; i < count; ++i) content.records.push_back(Rec(i % 2, 2026, 1, 1 + i % 28, text));
  return content;
}

struct SweepCase {
  const char* name;
  const char* file;
  std::function<bool(storage::Files&, const std::string&, bool)> save;  // old or new version
};

using Mode = FaultInjectingFiles::Mode;

class SaveFaultSweep : public FolderTest,
                       public testing::WithParamInterface<std::tuple<SweepCase, Mode>> {};

TEST_P(SaveFaultSweep, StoredFileIsOldOrNewAndFailureIsReported) {
  const auto& [what, mode] = GetParam();
  const std::string path = m_folder.File(what.file);
  const std::string other = m_folder.File("other.lst");  // a neighbour that must stay as it is
  ASSERT_TRUE(storage::SaveFileAtomically(*m_files, other, "other\r\n"));
  ASSERT_TRUE(what.save(*m_files, path, false));
  const std::string oldBytes = Read(path);
  ASSERT_TRUE(what.save(*m_files, path, true));
  const std::string newBytes = Read(path);
  ASSERT_NE(oldBytes, newBytes);
  ASSERT_FALSE(oldBytes.empty());

  FaultInjectingFiles faulty(*m_files);
  int faultsSeen = 0;
  for (int n = 1;; ++n) {
    ASSERT_LT(n, 50) << "the save never completed untouched";
    ASSERT_TRUE(what.save(*m_files, path, false));
    faulty.FailAt(n, mode);
    const bool saved = what.save(faulty, path, true);
    faulty.Heal();
    const std::string now = Read(path);
    EXPECT_EQ(now, saved ? newBytes : oldBytes) << "fault at operation " << n;
    if (!faulty.HasFailed()) {
      EXPECT_TRUE(saved);
      break;
    }
    ++faultsSeen;
    if (mode == Mode::kOnce && !saved) {
      // The clean-up itself did not fail, so nothing is left even before the next load.
      EXPECT_EQ(Names().size(), 2u) << "fault at operation " << n;
    }
    // The next load clears what a crash or a failed clean-up left.
    std::vector<std::string> names;
    storage::LoadListOrder(*m_files, m_folder.File("ListInfo.dat"), &names);
    EXPECT_EQ(Names(), (std::vector<std::string>{what.file, "other.lst"}))
        << "fault at operation " << n;
    EXPECT_EQ(Read(other), "other\r\n");
  }
  // Open, write, flush, close and move of the temporary file were each failed once.
  EXPECT_EQ(faultsSeen, 5);
}

const SweepCase kListFile = {
    "ListFile", "Home.lst", [](storage::Files& files, const std::string& path, bool fresh) {
      return storage::SaveListFile(files, path, fresh ? Items(40, "new item") : Items(3, "old"));
    }};
const SweepCase kListOrder = {
    "ListOrder", "ListInfo.dat", [](storage::Files& files, const std::string& path, bool fresh) {
      const std::vector<std::string> names = {"Home", "Work", "Shop"};
      return storage::SaveListOrder(files, path, fresh ? names : std::vector<std::string>{"Home"});
    }};

INSTANTIATE_TEST_SUITE_P(Files, SaveFaultSweep,
                         testing::Combine(testing::Values(kListFile, kListOrder),
                                          testing::Values(Mode::kOnce, Mode::kFromThenOn)),
                         [](const auto& row) {
                           const bool once = std::get<1>(row.param) == Mode::kOnce;
                           return std::get<0>(row.param).name +
                                  std::string(once ? "FailsOnce" : "FailsForGood");
                         });

using LeftoverTest = FolderTest;

TEST_F(LeftoverTest, NextLoadRemovesOnlyTemporaryFilesOfSaves) {
  for (const char* name :
       {"~save0.tmp", "~save12.tmp", "~save.tmp", "notes.txt", "~save1.lst", "ListInfo.dat"}) {
    Write(m_folder.File(name), "Home\r\n");
  }
  std::vector<std::string> names;
  ASSERT_EQ(storage::LoadListOrder(*m_files, m_folder.File("ListInfo.dat"), &names),
            OpenResult::kOpened);
  EXPECT_EQ(names, std::vector<std::string>{"Home"});
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"ListInfo.dat", "notes.txt", "~save.tmp", "~save1.lst"}));
}

TEST_F(LeftoverTest, LeftoverTemporaryFileDoesNotBlockOrEnterASave) {
  Write(m_folder.File("~save0.tmp"), "crash");
  ASSERT_TRUE(storage::SaveFileAtomically(*m_files, m_folder.File("Home.lst"), "0,1,1,1,a\r\n"));
  EXPECT_EQ(Read(m_folder.File("Home.lst")), "0,1,1,1,a\r\n");
  EXPECT_EQ(Read(m_folder.File("~save0.tmp")), "crash");
}

TEST_F(LeftoverTest, SaveIntoMissingFolderFailsAndMakesNothing) {
  const std::string path = m_folder.File("none") + storage::kPathSeparator + "Home.lst";
  EXPECT_FALSE(storage::SaveListFile(*m_files, path, Items(1, "a")));
  storage::ListFileAsRead file("0,1,1,1,stale\r\n");
  EXPECT_EQ(storage::LoadListFile(*m_files, path, &file), OpenResult::kNotFound);
  EXPECT_EQ(file.Count(), 0u);
}

using StoredLinesTest = FolderTest;

// The dialog's round: load a list, save it with the file as read, and on success keep the
// file as written as what the file holds now.
TEST_F(StoredLinesTest, SavedListKeepsItsLinesAndFailedSaveKeepsTheOldOnes) {
  const std::string path = m_folder.File("Home.lst");
  Write(path, " 01,2026,01,05,milk\nbread\n+0,2026,3,4,tea");
  storage::ListFileAsRead loaded;
  ASSERT_EQ(storage::LoadListFile(*m_files, path, &loaded), OpenResult::kOpened);
  ASSERT_TRUE(storage::SaveListFile(*m_files, path, loaded.ToContent(), &loaded));
  EXPECT_EQ(Read(path), " 01,2026,01,05,milk\r\nbread\r\n+0,2026,3,4,tea\r\n");
  EXPECT_EQ(loaded.Bytes(), Read(path));

  storage::ListFileContent edited = loaded.ToContent();
  edited.records[0].done = 0;
  const std::string before = loaded.Bytes();
  FaultInjectingFiles faulty(*m_files);
  faulty.FailAt(1, Mode::kFromThenOn);
  EXPECT_FALSE(storage::SaveListFile(faulty, path, edited, &loaded));
  EXPECT_EQ(loaded.Bytes(), before) << "the file still holds the old lines";

  ASSERT_TRUE(storage::SaveListFile(*m_files, path, edited, &loaded));
  EXPECT_EQ(Read(path), "0,2026,1,5,milk\r\n1,2026,1,5,bread\r\n+0,2026,3,4,tea\r\n");
  EXPECT_EQ(loaded.Bytes(), Read(path));
}

}  // namespace
