// Names in the list-order file are written by anyone who edits it. A name that names no file
// directly inside the list folder must never make the dialog read, write, move or delete a
// file, wherever the name points.

#include <filesystem>
#include <iterator>
#include <map>

#include "dialog_fixture.h"

namespace todo_test {
namespace {

// Every file under `root` with its bytes, by path relative to root.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    storage::ReadWholeFile(*storage::NewPlatformFiles(), entry.path().string(), &bytes);
    tree[std::filesystem::relative(entry.path(), root).generic_string()] = bytes;
  }
  return tree;
}

const int kEscapingRows = static_cast<int>(std::size(kEscapingNames));

class ListFolderGate : public DialogTest {
 protected:
  void SetUp() override {
    Write(OrderFile(), Order("Plain"));
    Write(ListFile("Plain"), "0,2026,12,8,p\r\n");
    // Files where the names would lead if they were taken as paths here.
    const std::string lists = storage::ListFolderPath(m_folder.Path());
    std::filesystem::create_directory(lists + "/sub");
    Write(lists + "/sub/x.lst", "0,2026,1,1,in a sub-folder\r\n");
    Write(m_folder.Path() + "/fwd.lst", "0,2026,1,1,outside\r\n");
    Write(m_folder.Path() + "/escape.lst", "0,2026,1,1,outside\r\n");
    dialog.LoadListNames();
    before = Tree(m_folder.Path());
  }
  // The order file of the list `first` followed by every escaping name.
  static std::string Order(const std::string& first) {
    std::string order = first + "\r\n";
    for (const char* name : kEscapingNames) order += std::string(name) + "\r\n";
    return order;
  }
  // The files other than the plain list's and the order file are as they were.
  void ExpectOnlyOwnFilesChanged(const std::string& madeHere = "") {
    std::map<std::string, std::string> now = Tree(m_folder.Path());
    for (auto* tree : {&before, &now}) {
      tree->erase("ToDoList/Plain.lst");
      tree->erase("ToDoList/ListInfo.dat");
      if (!madeHere.empty()) tree->erase("ToDoList/" + madeHere);
    }
    EXPECT_EQ(now, before);
  }

  std::map<std::string, std::string> before;
};

TEST_F(ListFolderGate, EscapingNamesAreShownAndKeptInTheOrderFile) {
  ASSERT_EQ(names()->GetCount(), kEscapingRows + 1);
  for (int row = 1; row <= kEscapingRows; ++row) {
    EXPECT_EQ(names()->GetItemText(row), std::string(kEscapingNames[row - 1]));
  }
  dialog.SaveListNames();
  EXPECT_EQ(Read(OrderFile()), Order("Plain"));
  ExpectOnlyOwnFilesChanged();
}

TEST_F(ListFolderGate, SelectingLeavingAndSavingAnEscapingListTouchNoFile) {
  for (int row = 1; row <= kEscapingRows; ++row) {
    SCOPED_TRACE(names()->GetItemText(row));
    nameFront()->Click(0);
    ASSERT_EQ(ItemTexts(), "p;");
    nameFront()->Click(row);
    EXPECT_EQ(names()->GetCurSel(), row);
    EXPECT_EQ(ItemTexts(), "");
    EXPECT_EQ(dialog.SaveCurrentList(), 0);  // nothing was written, so no success is reported
    ExpectOnlyOwnFilesChanged();
  }
  EXPECT_EQ(Read(ListFile("Plain")), "0,2026,12,8,p\r\n");
}

// An item added to such a list could never be stored and would vanish when the list is left.
TEST_F(ListFolderGate, ItemAddToAnEscapingListIsRefusedWithAMessage) {
  nameFront()->Click(1);
  NewItem("lost?");
  EXPECT_EQ(TakeTexts(), Texts{kListNotStorable});
  EXPECT_EQ(ItemTexts(), "");
  EXPECT_EQ(window.text, "lost?");
  ExpectOnlyOwnFilesChanged();
}

TEST_F(ListFolderGate, DeletingAndClearingEscapingListsDeleteNoFileOutside) {
  nameFront()->Click(2);
  Delete();
  EXPECT_EQ(names()->GetCount(), kEscapingRows);
  ExpectOnlyOwnFilesChanged();
  Clear();
  EXPECT_EQ(names()->GetCount(), 0);
  EXPECT_FALSE(Exists(ListFile("Plain")));  // the plain list's file goes, as for every list
  ExpectOnlyOwnFilesChanged();
}

// Renaming is how the user repairs such a list: it takes a good name, and only from then on
// is it stored.
TEST_F(ListFolderGate, EscapingListRenamedToAGoodNameIsStoredUnderIt) {
  nameFront()->Click(1);
  Rename(1, "repaired");
  EXPECT_EQ(names()->GetItemText(1), std::string("repaired"));
  NewItem("kept");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("repaired")), "0,2026,12,8,kept\r\n");
  ExpectOnlyOwnFilesChanged("repaired.lst");
}

// Renaming a good list to a name that escapes never moves its file.
TEST_F(ListFolderGate, RenameToAnEscapingNameKeepsTheOldName) {
  nameFront()->Click(0);
  for (const char* name : {"\x80\\x", "\x81\x81\\y", "\xA0z"}) {
    Rename(0, name);
    EXPECT_EQ(names()->GetItemText(0), std::string("Plain")) << name;
  }
  EXPECT_EQ(Read(ListFile("Plain")), "0,2026,12,8,p\r\n");
  ExpectOnlyOwnFilesChanged();
}

// Such a list used to keep the kind of the list shown before it, so that once renamed it was
// saved as a no-date list.
TEST_F(ListFolderGate, EscapingListRenamedAfterANoDateListIsSavedDated) {
  Write(ListFile("Dateless"), "NO_DATE\r\n");
  m_files->Delete(OrderFile());  // the fixture's order file is replaced
  Write(OrderFile(), "Dateless\r\n..\\up1\r\n");
  dialog.LoadListNames();
  nameFront()->Click(0);
  ASSERT_TRUE(dialog.NoDate());
  nameFront()->Click(1);
  EXPECT_FALSE(dialog.NoDate());
  Rename(1, "renamed");
  // Nothing is written while it holds nothing; its first item goes to a dated file.
  NewItem("x");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("renamed")), "0,2026,12,8,x\r\n");
}

}  // namespace
}  // namespace todo_test
