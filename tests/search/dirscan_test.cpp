// The file-search library: which names it gives for a folder, in which order, and that a
// folder it cannot read gives none.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dirscan/dirscan.h"
#include "support/folder_test.h"
#include "storage/paths.h"

namespace {

std::vector<std::string> Entries(const char* path) {
  CSerchFiles search(path, 0);
  CStringArray* files = search.gFc_GetListFiles();
  EXPECT_NE(files, nullptr);
  EXPECT_EQ(files, search.gFc_GetListFiles()) << "the array belongs to the object";
  std::vector<std::string> names;
  for (int i = 0; files && i < files->GetSize(); ++i) names.emplace_back(files->GetAt(i));
  return names;
}

using Dirscan = FolderTest;

TEST_F(Dirscan, GivesFileNamesInByteOrderWithoutFolders) {
  // Capitals sort before small letters, and ア (0x83 0x41) after every ASCII name, as its
  // first byte is above 0x7F.
  for (const char* name : {"b.lst", "\x83\x41.lst", "C.lst", "a.lst", "z"}) {
    Write(m_folder.File(name), "x");
  }
  ASSERT_TRUE(m_files->CreateFolder(m_folder.File("sub.lst")));
  const std::vector<std::string> expected = {"C.lst", "a.lst", "b.lst", "z", "\x83\x41.lst"};
  EXPECT_EQ(Entries(m_folder.Path().c_str()), expected);
  // The search hands the folder over with a separator at its end.
  EXPECT_EQ(Entries((m_folder.Path() + storage::kPathSeparator).c_str()), expected);
}

TEST_F(Dirscan, MissingFolderOrNoPathGivesNoEntries) {
  EXPECT_TRUE(Entries(m_folder.File("missing").c_str()).empty());
  EXPECT_TRUE(Entries(nullptr).empty());
  EXPECT_TRUE(Entries("").empty());
}

}  // namespace
