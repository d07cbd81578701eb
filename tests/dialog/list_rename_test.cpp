// Renaming a list in place: the file takes the new name at once, unless that would write over
// another file or leave name and file apart.

#include "dialog_fixture.h"

namespace todo_test {
namespace {

class ListRename : public DialogTest {
 protected:
  void SetUp() override {
    MakeListFiles({{"a", "0,2026,12,8,a1\r\n"}, {"b", ""}});
    nameFront()->Click(0);
  }
};

TEST_F(ListRename, FileTakesTheNewNameAtOnceAndTheOrderFileWaits) {
  Rename(0, "renamed");
  EXPECT_EQ(ListNames(), "renamed;b;");
  EXPECT_EQ(Read(ListFile("renamed")), "0,2026,12,8,a1\r\n");
  EXPECT_FALSE(Exists(ListFile("a")));
  EXPECT_EQ(Read(OrderFile()), "a\r\nb\r\n");
  dialog.SaveListNames();
  EXPECT_EQ(Read(OrderFile()), "renamed\r\nb\r\n");
}

// A name taken by another list, letter case aside (Windows takes "B" and "b" for one file name,
// also while list b has no file yet), is refused with a message; a bad name silently. A file of
// the new name that belongs to no list must not be overwritten, and the name must not change
// without its file, or the next save would write into the other file. Its own name keeps
// everything.
TEST_F(ListRename, NameTakenBadOrOfAnotherFileKeepsTheOldNameAndEveryFile) {
  struct Case {
    const char* name;
    Messages messages;
    bool withoutFileOfB;
  };
  const Case cases[] = {
      {"b", {Told(kDuplicateName, MessageIcon::Exclamation)}, false},
      {"x/y", {}, false},
      {"NUL", {}, false},
      {"a", {}, false},
      {"orphan", {}, false},
      {"B", {Told(kDuplicateName, MessageIcon::Exclamation)}, true},
  };
  Write(ListFile("orphan"), "0,2026,1,1,someone else's\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.withoutFileOfB) m_files->Delete(ListFile("b"));
    Rename(0, c.name);
    EXPECT_EQ(TakeMessages(), c.messages);
    EXPECT_EQ(busy.load(), 0);
    EXPECT_EQ(ListNames(), "a;b;");
    EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a1\r\n");
    EXPECT_EQ(Read(ListFile("orphan")), "0,2026,1,1,someone else's\r\n");
  }
  Rename(0, "A");  // its own name in another case is still fine
  EXPECT_EQ(ListNames(), "A;b;");
}

// Katakana be and su differ only in a second byte that a letter-case fold would change: the
// other file must be left alone all the same.
TEST_F(ListRename, FileOfANameDifferingInASecondByteIsNotOverwritten) {
  Rename(0, "\x83\x78");  // be
  ASSERT_EQ(ListNames(), "\x83\x78;b;");
  Write(ListFile("\x83\x58"), "0,2026,1,1,su\r\n");
  Rename(0, "\x83\x58");  // su
  EXPECT_EQ(ListNames(), "\x83\x78;b;");
  EXPECT_EQ(Read(ListFile("\x83\x58")), "0,2026,1,1,su\r\n");
  EXPECT_EQ(Read(ListFile("\x83\x78")), "0,2026,12,8,a1\r\n");
}

// A list that could not be read shows no items; under its new name it must still not be saved,
// or the empty box would replace the items its file holds.
TEST_F(ListRename, UnreadableListIsNotSavedUnderItsNewNameEither) {
  names()->SetCurSel(-1);
  items()->ResetContent();
  faults.FailAt(1, Mode::kOnce);
  nameFront()->Click(0);
  faults.Heal();
  ASSERT_EQ(items()->GetCount(), 0);
  Rename(0, "moved");
  ASSERT_EQ(ListNames(), "moved;b;");
  EXPECT_EQ(dialog.SaveCurrentList(), 0);
  EXPECT_EQ(Read(ListFile("moved")), "0,2026,12,8,a1\r\n");
}

TEST_F(ListRename, ListWithoutAFileStillTakesTheNewName) {
  m_files->Delete(ListFile("a"));
  Rename(0, "fresh");
  EXPECT_EQ(ListNames(), "fresh;b;");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("fresh")), "0,2026,12,8,a1\r\n");
}

}  // namespace
}  // namespace todo_test
