// Renaming a list in place: the file takes the new name at once, unless that would write over
// another file or leave name and file apart.

#include <gtest/gtest.h>

#include <string>

#include "dialog_fixture.h"
#include "support/tool_facts.h"

namespace {

class ListRename : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    Write(OrderFile(), "a\r\nb\r\n");
    Write(ListFile("a"), "0,2026,12,8,a1\r\n");
    Write(ListFile("b"), "");
    dialog.LoadListNames();
    nameFront()->Click(0);
  }
  // Edits the selected list's name in place and ends the edit with Enter.
  void Rename(const std::string& name) {
    nameFront()->Click(0);
    ASSERT_TRUE(nameFront()->EditorOpen());
    nameFront()->TypeText(name);
    nameFront()->PressEnter();
  }
};

TEST_F(ListRename, FileTakesTheNewNameAtOnceAndTheOrderFileWaits) {
  Rename("renamed");
  EXPECT_EQ(ListNames(), "renamed;b;");
  EXPECT_EQ(Read(ListFile("renamed")), "0,2026,12,8,a1\r\n");
  std::unique_ptr<storage::ReadableFile> old;
  EXPECT_EQ(m_files->OpenForReading(ListFile("a"), &old), storage::OpenResult::kNotFound);
  EXPECT_EQ(Read(OrderFile()), "a\r\nb\r\n");
  dialog.SaveListNames();
  EXPECT_EQ(Read(OrderFile()), "renamed\r\nb\r\n");
}

TEST_F(ListRename, DuplicateNameIsRefusedWithAMessageAndBadNamesSilently) {
  Rename("b");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, todo_test::tool::kDuplicateName);
  EXPECT_EQ(window.messages[0].icon, todo::MessageIcon::Exclamation);
  EXPECT_EQ(window.messages[0].busyWhileOpen, 1);
  EXPECT_EQ(busy.load(), 0);
  for (const char* bad : {"x/y", "NUL"}) Rename(bad);
  EXPECT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
}

TEST_F(ListRename, OwnNameKeepsEverything) {
  Rename("a");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
}

// A file of the new name that belongs to no list must not be overwritten, and the name must
// not change without its file, or the next save would write into the other file.
TEST_F(ListRename, ExistingFileOfTheNewNameKeepsTheOldName) {
  Write(ListFile("orphan"), "0,2026,1,1,someone else's\r\n");
  Rename("orphan");
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_EQ(Read(ListFile("orphan")), "0,2026,1,1,someone else's\r\n");
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
}

// Katakana be and su differ only in a second byte that a letter-case fold would change: the
// other file must be left alone all the same.
TEST_F(ListRename, FileOfANameDifferingInASecondByteIsNotOverwritten) {
  Rename("\x83\x78");  // be
  ASSERT_EQ(ListNames(), "\x83\x78;b;");
  Write(ListFile("\x83\x58"), "0,2026,1,1,su\r\n");
  Rename("\x83\x58");  // su
  EXPECT_EQ(ListNames(), "\x83\x78;b;");
  EXPECT_EQ(Read(ListFile("\x83\x58")), "0,2026,1,1,su\r\n");
  EXPECT_EQ(Read(ListFile("\x83\x78")), "0,2026,12,8,a1\r\n");
}

// A list that could not be read shows no items; under its new name it must still not be saved,
// or the empty box would replace the items its file holds.
TEST_F(ListRename, UnreadableListIsNotSavedUnderItsNewNameEither) {
  names()->SetCurSel(-1);
  items()->ResetContent();
  faults.FailAt(1, storage::FaultInjectingFiles::Mode::kOnce);
  nameFront()->Click(0);
  faults.Heal();
  ASSERT_EQ(items()->GetCount(), 0);
  Rename("moved");
  ASSERT_EQ(ListNames(), "moved;b;");
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  EXPECT_EQ(Read(ListFile("moved")), "0,2026,12,8,a1\r\n");
}

TEST_F(ListRename, ListWithoutAFileStillTakesTheNewName) {
  m_files->Delete(ListFile("a"));
  Rename("fresh");
  EXPECT_EQ(ListNames(), "fresh;b;");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("fresh")), "0,2026,12,8,a1\r\n");
}

// Windows takes "B" and "b" for one file name: a rename that differed from another list only
// in letter case was accepted when that list had no file yet, and the two lists then shared
// one file.
TEST_F(ListRename, NameTakenByAnotherListLetterCaseAsideIsRefused) {
  m_files->Delete(ListFile("b"));
  Rename("B");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, todo_test::tool::kDuplicateName);
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
  Rename("A");  // its own name in another case is still fine
  EXPECT_EQ(ListNames(), "A;b;");
}

}  // namespace
