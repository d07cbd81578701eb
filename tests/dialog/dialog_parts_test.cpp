// The dialog's parts on their own: the gate to the list files, the item side's view of a file
// and the mode names. The dialog's tests reach them only through the commands; these pin the
// promises each part makes to the others.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog/entry_row.h"
#include "dialog/item_side.h"
#include "dialog/list_folder_gate.h"
#include "dialog_fixture.h"

namespace {

using storage::OpenResult;
using todo_test::Mode;

// A gate of its own beside the dialog's, over the fixture's folder, host and failing files.
class Gate : public todo_test::DialogTest {
 protected:
  std::string PathOf(const std::string& name) { return gate.PathOf(name); }
  // Reads the list `name` and keeps it as read, as loading a list does.
  void Load(const std::string& name) {
    storage::ListFileAsRead file;
    ASSERT_EQ(gate.Read(PathOf(name), &file), OpenResult::kOpened);
    gate.KeepAsRead(PathOf(name), std::move(file));
  }
  static storage::ListFileContent OneItem(const std::string& text) {
    storage::ListFileContent content;
    content.records.push_back({0, 2026, 12, 9, text});
    return content;
  }

  todo::ListFolderGate gate{&host, faults};
};

TEST_F(Gate, WithoutADataFolderNoNameHasAFile) {
  todo::ListFolderGate noHost(nullptr, faults);
  EXPECT_EQ(noHost.DataFolder(), nullptr);
  EXPECT_EQ(noHost.PathOf("a"), "");
  EXPECT_TRUE(noHost.LoadNames().empty());
  EXPECT_FALSE(noHost.MaySave(noHost.PathOf("a")));
}

// A file that could not be read whole must not be written over, under its old name or under
// the one a rename gives it; the mark goes once another file is read.
TEST_F(Gate, TheMarkOfAnUnreadableFileFollowsItsRenameAndGoesWithTheNextRead) {
  Write(PathOf("zero"), std::string("0,2026,1,1,a\0b\r\n", 16));
  Write(PathOf("plain"), "0,2026,1,1,p\r\n");
  storage::ListFileAsRead file;
  EXPECT_EQ(gate.Read(PathOf("zero"), &file), OpenResult::kOpened);
  EXPECT_FALSE(gate.MaySave(PathOf("zero")));
  ASSERT_TRUE(gate.Move(PathOf("zero"), PathOf("renamed")));
  EXPECT_FALSE(gate.MaySave(PathOf("renamed")));
  EXPECT_TRUE(gate.MaySave(PathOf("zero")));
  EXPECT_EQ(gate.Read(PathOf("plain"), &file), OpenResult::kOpened);
  EXPECT_TRUE(gate.MaySave(PathOf("renamed")));
}

// A read or a save that fails leaves what was read of a file before, and the file; a file
// that could not be read is marked.
TEST_F(Gate, AReadOrASaveThatFailsKeepsWhatWasReadBeforeAndTheFile) {
  Write(PathOf("a"), "0,2026,1,1,a\r\n");
  Write(PathOf("b"), "0,2026,1,1,b\r\n");
  Load("a");
  faults.FailAt(1, Mode::kOnce);
  storage::ListFileAsRead file;
  EXPECT_EQ(gate.Read(PathOf("b"), &file), OpenResult::kFailed);
  EXPECT_FALSE(gate.MaySave(PathOf("b")));
  faults.FailAt(1, Mode::kFromThenOn);
  EXPECT_FALSE(gate.Save(PathOf("a"), OneItem("changed")));
  faults.Heal();
  EXPECT_EQ(Read(PathOf("a")), "0,2026,1,1,a\r\n");
  ASSERT_NE(gate.AsReadOf(PathOf("a")), nullptr);
  EXPECT_EQ(gate.AsReadOf(PathOf("a"))->Text(0), "a");
}

// What was read of one file must never be written into another, not even the way a line of
// it was stored.
TEST_F(Gate, SavingAnotherFileForgetsTheOneAsRead) {
  Write(PathOf("a"), "0,2026,12,09,b\r\n");
  Load("a");
  ASSERT_TRUE(gate.Save(PathOf("b"), OneItem("b")));
  EXPECT_EQ(Read(PathOf("b")), "0,2026,12,9,b\r\n");
  EXPECT_EQ(gate.AsReadOf(PathOf("a")), nullptr);
  EXPECT_EQ(Read(PathOf("a")), "0,2026,12,09,b\r\n");
  ASSERT_NE(gate.AsReadOf(PathOf("b")), nullptr);
  EXPECT_EQ(gate.AsReadOf(PathOf("b"))->Bytes(), "0,2026,12,9,b\r\n");
}

TEST_F(Gate, ANewListsFileNeverReplacesOneAndIsNeverLeftTorn) {
  Write(PathOf("taken"), "0,2026,1,1,keep\r\n");
  EXPECT_FALSE(gate.CreateListFile(PathOf("taken"), false));
  EXPECT_EQ(Read(PathOf("taken")), "0,2026,1,1,keep\r\n");
  faults.FailAt(2, Mode::kOnce);  // the write of the no-date marker
  EXPECT_FALSE(gate.CreateListFile(PathOf("torn"), true));
  EXPECT_FALSE(gate.Exists(PathOf("torn")));
  ASSERT_TRUE(gate.CreateListFile(PathOf("fresh"), true));
  storage::ListFileAsRead file;
  EXPECT_EQ(gate.Read(PathOf("fresh"), &file), OpenResult::kOpened);
  EXPECT_TRUE(file.NoDate());
  EXPECT_EQ(file.Count(), 0u);
}

// The item side decides whether a save may write the file back as it was read: any
// difference it misses would be lost, any it invents costs a rewrite.
TEST(ItemSide, ShowsAFileOnlyWhenEveryFieldOfEveryItemAndTheKindAgree) {
  RECT rect{0, 0, 100, 100};
  todo::ItemSide side;
  side.Attach(
      static_cast<CQuarnToDoListBox*>(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoItem", &rect, 0)));
  const std::string shown = "0,2026,12,9,first\r\n1,2027,1,2,second\r\n";
  storage::ListFileAsRead file(shown);
  side.SetKind(file.NoDate());
  side.Append(file, 0);
  EXPECT_TRUE(side.Shows(file));
  EXPECT_EQ(storage::FormatListFile(side.Content()), shown);

  const char* differing[] = {
      "1,2026,12,9,first\r\n1,2027,1,2,second\r\n",             // a done mark
      "0,2026,12,9,first\r\n1,2027,1,3,second\r\n",             // a date
      "0,2026,12,9,firs\r\n1,2027,1,2,second\r\n",              // a text one byte shorter
      "0,2026,12,9,firstx\r\n1,2027,1,2,second\r\n",            // a text one byte longer
      "0,2026,12,9,first\r\n",                                  // an item fewer
      "NO_DATE\r\n0,2026,12,9,first\r\n1,2027,1,2,second\r\n",  // the kind
  };
  for (const char* bytes : differing) {
    EXPECT_FALSE(side.Shows(storage::ListFileAsRead(bytes))) << bytes;
  }
}

TEST(InputModeNames, OnlyTheWholeNameOfAModeNamesIt) {
  todo::InputMode mode = todo::InputMode::Item;
  EXPECT_TRUE(todo::ModeOfName(todo::kListModeName, &mode));
  EXPECT_EQ(mode, todo::InputMode::List);
  EXPECT_STREQ(todo::ModeName(mode), todo::kListModeName);
  for (const char* other : {static_cast<const char*>(nullptr), "", "ﾘｽﾄ", "ﾘｽﾄ一覧 "}) {
    EXPECT_FALSE(todo::ModeOfName(other, &mode)) << (other ? other : "null");
    EXPECT_EQ(mode, todo::InputMode::List);
  }
}

}  // namespace
