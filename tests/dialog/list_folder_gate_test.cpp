// Names in the list-order file are written by anyone who edits it. A name that names no file
// directly inside the list folder must never make the dialog read, write, move or delete a
// file, wherever the name points.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dialog_fixture.h"

namespace {

using todo::MessageAnswer;

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

// Names that lead out of the list folder or into a folder of it, in both separators, or that
// hide a separator behind a byte the list-name check takes for the first of two bytes.
const std::vector<std::string> kEscapingNames = {
    "..\\..\\escape", "..\\up1",     "../fwd", "sub/x", "CON",
    "\x80\\x",        "\x81\x81\\x", "\xFD/x", "a:b",
};

class ListFolderGate : public todo_test::DialogTest {
 protected:
  void SetUp() override {
    std::string order = "Plain\r\n";
    for (const std::string& name : kEscapingNames) order += name + "\r\n";
    Write(OrderFile(), order);
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
  void Select(int row) { nameFront()->Click(row); }

  std::map<std::string, std::string> before;
};

TEST_F(ListFolderGate, EscapingNamesAreShownAndKeptInTheOrderFile) {
  ASSERT_EQ(names()->GetCount(), static_cast<int>(kEscapingNames.size()) + 1);
  for (std::size_t i = 0; i < kEscapingNames.size(); ++i) {
    EXPECT_EQ(names()->GetItemText(static_cast<int>(i) + 1), kEscapingNames[i]);
  }
  dialog.SaveListNames();
  std::string order = "Plain\r\n";
  for (const std::string& name : kEscapingNames) order += name + "\r\n";
  EXPECT_EQ(Read(OrderFile()), order);
  ExpectOnlyOwnFilesChanged();
}

TEST_F(ListFolderGate, SelectingLeavingAndSavingAnEscapingListTouchNoFile) {
  for (int row = 1; row <= static_cast<int>(kEscapingNames.size()); ++row) {
    SCOPED_TRACE(names()->GetItemText(row));
    Select(0);
    ASSERT_EQ(ItemTexts(), "p;");
    Select(row);
    EXPECT_EQ(names()->GetCurSel(), row);
    EXPECT_EQ(ItemTexts(), "");
    EXPECT_EQ(dialog.SaveCurrentList(), 0);  // nothing was written, so no success is reported
    ExpectOnlyOwnFilesChanged();
  }
  EXPECT_EQ(Read(ListFile("Plain")), "0,2026,12,8,p\r\n");
}

// An item added to such a list could never be stored and would vanish when the list is left.
TEST_F(ListFolderGate, ItemAddToAnEscapingListIsRefusedWithAMessage) {
  Select(1);
  window.CheckMode(false);
  window.text = "lost?";
  dialog.OnAdd();
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text,
            "アイテムを登録できません。\nこのリストはファイルに保存できません。");
  EXPECT_EQ(ItemTexts(), "");
  EXPECT_EQ(window.text, "lost?");
  ExpectOnlyOwnFilesChanged();
}

TEST_F(ListFolderGate, DeletingAndClearingEscapingListsDeleteNoFileOutside) {
  Select(2);
  window.answers = {MessageAnswer::Yes};
  dialog.OnDelete();
  EXPECT_EQ(names()->GetCount(), static_cast<int>(kEscapingNames.size()));
  ExpectOnlyOwnFilesChanged();
  window.answers = {MessageAnswer::Yes};
  dialog.OnClear();
  EXPECT_EQ(names()->GetCount(), 0);
  EXPECT_FALSE(Exists(ListFile("Plain")));  // the plain list's file goes, as for every list
  ExpectOnlyOwnFilesChanged();
}

// Renaming is how the user repairs such a list: it takes a good name, and only from then on
// is it stored.
TEST_F(ListFolderGate, EscapingListRenamedToAGoodNameIsStoredUnderIt) {
  Select(1);
  nameFront()->Click(1);
  ASSERT_TRUE(nameFront()->EditorOpen());
  nameFront()->TypeText("repaired");
  nameFront()->PressEnter();
  EXPECT_EQ(names()->GetItemText(1), std::string("repaired"));
  window.CheckMode(false);
  window.text = "kept";
  dialog.OnAdd();
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("repaired")), "0,2026,12,8,kept\r\n");
  ExpectOnlyOwnFilesChanged("repaired.lst");
}

// Renaming a good list to a name that escapes never moves its file.
TEST_F(ListFolderGate, RenameToAnEscapingNameKeepsTheOldName) {
  Select(0);
  for (const char* name : {"\x80\\x", "\x81\x81\\y", "\xA0z"}) {
    nameFront()->Click(0);
    ASSERT_TRUE(nameFront()->EditorOpen());
    nameFront()->TypeText(name);
    nameFront()->PressEnter();
    EXPECT_EQ(names()->GetItemText(0), std::string("Plain")) << name;
  }
  EXPECT_EQ(Read(ListFile("Plain")), "0,2026,12,8,p\r\n");
  ExpectOnlyOwnFilesChanged();
}

// Such a list used to keep the kind of the list shown before it, so that once renamed it was
// saved as a no-date list.
TEST_F(ListFolderGate, EscapingListRenamedAfterANoDateListIsSavedDated) {
  Write(ListFile("Dateless"), "NO_DATE\r\n");
  // The fixture's order file is replaced: start again from it.
  m_files->Delete(OrderFile());
  Write(OrderFile(), "Dateless\r\n..\\up1\r\n");
  dialog.LoadListNames();
  Select(0);
  ASSERT_TRUE(dialog.NoDate());
  Select(1);
  EXPECT_FALSE(dialog.NoDate());
  nameFront()->Click(1);
  ASSERT_TRUE(nameFront()->EditorOpen());
  nameFront()->TypeText("renamed");
  nameFront()->PressEnter();
  // Nothing is written while it holds nothing; its first item goes to a dated file.
  window.CheckMode(false);
  window.text = "x";
  dialog.OnAdd();
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("renamed")), "0,2026,12,8,x\r\n");
}

}  // namespace
