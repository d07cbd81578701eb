// The window and the lists' files kept in step: a change reaches the disk when the timer runs,
// a change made outside shows, both are merged when both changed, a file missing for a moment
// is waited for, and two windows on one folder lose nothing of each other.

#include <random>

#include "dialog_fixture.h"
#include "storage/atomic_save.h"
#include "support/storage_records.h"

namespace todo_test {
namespace {

// The shell's timer and folder watch, run by hand.
class FakeSignals : public todo::SyncSignals {
 public:
  void StartTimer(int delayMs) override { delay = delayMs; }
  void WatchFolder(const std::string& folder) override { watched = folder; }
  // The work is done at once, or when deferring, kept until RunDeferred.
  void RunInBackground(std::function<void()> work) override {
    if (deferring) {
      deferred = std::move(work);
    } else {
      work();
    }
  }
  void RunDeferred() {
    if (deferred) std::exchange(deferred, nullptr)();
  }
  // Runs the timer if it was started; false when it was not.
  bool Fire(todo::ToDoDialog& dialog) {
    if (delay < 0) return false;
    delay = -1;
    dialog.OnSyncTimer();
    return true;
  }
  int delay = -1;  // the delay asked for last, -1 when none is pending
  std::string watched;
  bool deferring = false;
  std::function<void()> deferred;
};

// List A as the fixture writes it.
const std::string kListA = "0,2026,12,1,a1\r\n0,2026,12,2,a2\r\n0,2026,12,3,a3\r\n";

class DiskSync : public DialogTest {
 protected:
  void SetUp() override {
    dialog.SetSyncSignals(&signals);
    MakeListFiles({{"A", kListA}, {"B", "0,2026,12,1,b1\r\n"}});
    nameFront()->Click(0);
  }
  // Another program replaces a file, as an editor or a synchronising program does: a new file
  // moved over the old one.
  void WriteOutside(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(storage::SaveFileAtomically(*m_files, path, bytes));
    dialog.OnFolderChanged();
  }
  void Fire() { ASSERT_TRUE(signals.Fire(dialog)); }
  // Runs the timer as long as it asks to run again, as the window does; a save on the other
  // thread runs at once here.
  void RunTimers() {
    for (int run = 0; run < 20 && signals.Fire(dialog);) ++run;
  }
  FakeSignals signals;
};

TEST_F(DiskSync, ChangesReachTheFilesWhenTheTimerRunsASecondAfterTheLast) {
  EXPECT_EQ(signals.watched, storage::ListFolderPath(m_folder.Path()));
  NewItem("new");
  EXPECT_EQ(signals.delay, 1000);
  EXPECT_EQ(Read(ListFile("A")), kListA);
  Fire();
  EXPECT_EQ(Read(ListFile("A")), "0,2026,12,8,new\r\n" + kListA);
  // Lists: the list-order file follows at once too.
  NewList("C");
  Fire();
  EXPECT_EQ(Read(OrderFile()), "C\r\nA\r\nB\r\n");
  // An undo is a change like any other.
  dialog.OnUndo();
  Fire();
  EXPECT_EQ(Read(OrderFile()), "A\r\nB\r\n");
  RunTimers();
  EXPECT_EQ(signals.delay, -1) << "nothing left to do";
}

TEST_F(DiskSync, ChangeOutsideShowsAndNothingIsWrittenWhenTheWindowChangedNothing) {
  itemFront()->Click(1);
  const std::string theirs =
      "0,2026,12,9,outside\n0,2026,12,1,a1\n0,2026,12,2,a2\n0,2026,12,3,a3\n";
  WriteOutside(ListFile("A"), theirs);
  EXPECT_EQ(signals.delay, 200);
  Fire();
  EXPECT_EQ(ItemTexts(), "outside;a1;a2;a3;");
  EXPECT_EQ(items()->GetCurSel(), 2) << "the same item stays selected";
  EXPECT_EQ(Read(ListFile("A")), theirs) << "nothing written, line ends included";
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("A")), theirs);
  // The reload is one step of the history.
  dialog.OnUndo();
  EXPECT_EQ(ItemTexts(), "a1;a2;a3;");
  EXPECT_TRUE(window.messages.empty());
}

// Saves on the other thread of a list changed at random places, between the timer's runs and
// while a save runs: each writes the rows as they stood when it began, taking the rows left
// alone at each end from the file it writes over, and the next save goes on from there.
TEST_F(DiskSync, SavesOnTheOtherThreadWriteTheRowsAsTheyStoodWhereverTheyChanged) {
  const auto rowsAsFile = [this] {
    std::string bytes;
    for (int row = 0; row < items()->GetCount(); ++row) {
      WORD year, month, day;
      QuarnSplitDate(items()->GetItemData(row), &year, &month, &day);
      bytes += std::to_string(items()->GetItemCheck(row)) + "," + std::to_string(year) + "," +
               std::to_string(month) + "," + std::to_string(day) + "," + items()->GetItemText(row) +
               "\r\n";
    }
    return bytes;
  };
  std::string list;
  for (int item = 0; item < 40; ++item) {
    list += "0,2026,12," + std::to_string(1 + item % 28) + ",item" + std::to_string(item) + "\r\n";
  }
  WriteOutside(ListFile("A"), list);
  RunTimers();
  ASSERT_EQ(rowsAsFile(), list);
  signals.deferring = true;
  std::mt19937 random(26);
  std::string asSaveBegan;
  for (int step = 0; step < 400 && !HasFailure(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const int count = items()->GetCount();
    switch (random() % 5) {
      case 0:
        Tick(static_cast<int>(random() % count));
        break;
      case 1:
        if (count < 2) break;
        itemFront()->Click(static_cast<int>(random() % count));
        Delete();
        break;
      case 2:
        NewItem("new" + std::to_string(step), random() % 2 == 0);
        break;
      case 3:
        if (signals.deferred) break;
        if (signals.Fire(dialog) && signals.deferred) asSaveBegan = rowsAsFile();
        break;
      default:
        if (!signals.deferred) break;
        signals.RunDeferred();
        EXPECT_EQ(Read(ListFile("A")), asSaveBegan);
    }
    TakeMessages();
  }
  signals.RunDeferred();
  signals.deferring = false;
  RunTimers();
  EXPECT_EQ(Read(ListFile("A")), rowsAsFile());
}

TEST_F(DiskSync, TheToolsOwnSaveIsNoChangeOutside) {
  NewItem("mine");
  Fire();
  dialog.OnFolderChanged();
  Fire();
  EXPECT_TRUE(window.messages.empty());
  // The latest step is still the user's add, not a reload.
  dialog.OnUndo();
  EXPECT_EQ(ItemTexts(), "a1;a2;a3;");
}

enum class InWindow { kDeleteFirst, kTickSecond };

// The window's change to list A ("a1 a2@2 a3@3"), the file written outside meanwhile and the
// merge, in the shorthand of support/storage_records.h.
struct MergeCase {
  const char* name;
  InWindow inWindow;
  const char* outside;
  const char* merged;
  bool conflict;
};

const MergeCase kMergeCases[] = {
    {"DeletedInWindowAddedOutside", InWindow::kDeleteFirst, "a1 a2@2 a3@3 a4@4", "a2@2 a3@3 a4@4",
     false},
    {"TickedInWindowDateChangedOutsideKeepsBoth", InWindow::kTickSecond, "a1 a2@20 a3@3",
     "a1 a2!@2 a2@20 a3@3", true},
    {"SameTickOnBothSidesIsOne", InWindow::kTickSecond, "a1 a2!@2 a3@3", "a1 a2!@2 a3@3", false},
};

class DiskSyncMerge : public DiskSync, public testing::WithParamInterface<MergeCase> {};

TEST_P(DiskSyncMerge, ChangedOnBothSidesIsMergedAndShown) {
  const MergeCase& c = GetParam();
  if (c.inWindow == InWindow::kDeleteFirst) {
    itemFront()->Click(0);
    Delete();
    TakeMessages();  // the question
  } else {
    Tick(1);
  }
  WriteOutside(ListFile("A"), ListBytes(c.outside));
  RunTimers();
  EXPECT_EQ(Read(ListFile("A")), ListBytes(c.merged));
  std::string shown;
  for (const storage::ListRecord& record : Records(c.merged)) shown += record.text + ";";
  EXPECT_EQ(ItemTexts(), shown);
  EXPECT_EQ(TakeTexts(), c.conflict ? Texts{kConflict} : Texts{});
  // Told once; the merge written is what the next look compares with.
  dialog.OnFolderChanged();
  RunTimers();
  EXPECT_EQ(TakeTexts(), Texts{});
  EXPECT_EQ(Read(ListFile("A")), ListBytes(c.merged));
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskSyncMerge, testing::ValuesIn(kMergeCases), RowName());

// A synchronising program deletes a file and writes it again a moment later: the list is not
// empty meanwhile and nothing is written over it; only a file that stays missing counts as
// removed, and then only what the window added or changed is written.
TEST_F(DiskSync, AFileMissingForAMomentIsWaitedFor) {
  NewItem("mine");
  ASSERT_TRUE(m_files->Delete(ListFile("A")));
  Fire();  // the save on the other thread finds the file gone and leaves it to the timer
  for (int run = 0; run < 5; ++run) {
    Fire();
    EXPECT_FALSE(Exists(ListFile("A")));
    EXPECT_EQ(signals.delay, 500);
  }
  EXPECT_EQ(ItemTexts(), "mine;a1;a2;a3;");
  WriteOutside(ListFile("A"), kListA + "0,2026,12,4,a4\r\n");
  Fire();
  EXPECT_EQ(Read(ListFile("A")), "0,2026,12,8,mine\r\n" + kListA + "0,2026,12,4,a4\r\n");

  NewItem("more");
  ASSERT_TRUE(m_files->Delete(ListFile("A")));
  RunTimers();
  EXPECT_EQ(Read(ListFile("A")), "0,2026,12,8,more\r\n") << "only what the window added";
}

TEST_F(DiskSync, WhatCannotBeDoneNowIsTriedAgainOnTheTimer) {
  NewItem("mine");
  // A file held by another program: the move fails at once, and the save comes again. After
  // the list names' read, the list file's read, the temporary's open, write, flush and close.
  faults.FailAt(7, Mode::kOnce);
  Fire();
  faults.Heal();
  EXPECT_EQ(Read(ListFile("A")), kListA);
  Fire();
  EXPECT_EQ(Read(ListFile("A")).substr(0, 17), "0,2026,12,8,mine\r");
  // Under a message box, nothing is done until it is gone.
  NewItem("later");
  busy = 1;
  Fire();
  EXPECT_EQ(signals.delay, 500);
  busy = 0;
  RunTimers();
  EXPECT_EQ(Read(ListFile("A")).substr(0, 18), "0,2026,12,8,later\r");
}

// A list renamed in place that had no file has nothing read to compare with: a file another
// program makes under its new name meanwhile is merged, not written over.
TEST_F(DiskSync, AFileMadeOutsideForARenamedListWithoutOneIsKept) {
  ASSERT_TRUE(m_files->Delete(ListFile("B")));
  nameFront()->Click(1);
  Rename(1, "renamed");
  WriteOutside(ListFile("renamed"), "0,2026,12,9,outside\r\n");
  EXPECT_EQ(dialog.SaveCurrentList(), 1);
  EXPECT_EQ(Read(ListFile("renamed")), "0,2026,12,9,outside\r\n");
  EXPECT_EQ(ItemTexts(), "outside;");
}

// Lists added or deleted must not be lost at the close because another window holds the
// folder: the close asks, as it does for a list it cannot write.
TEST_F(DiskSync, TheCloseAsksWhenTheListNamesCannotBeWritten) {
  NewList("N", true);
  faults.FailLocks(true);
  window.answers = {MessageAnswer::Yes, MessageAnswer::No};
  EXPECT_FALSE(dialog.SaveBeforeClose());
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[0].buttons, todo::MessageButtons::YesNo);
  EXPECT_EQ(Read(OrderFile()), "A\r\nB\r\n");
  // The last chance when the window is gone.
  faults.FailLocks(false);
  dialog.SaveOnClose(true);
  EXPECT_EQ(Read(OrderFile()), "A\r\nB\r\nN\r\n");
}

// Copies a synchronising program kept beside a list's file are merged into the list: what
// both hold once, everything else of either kept. Then they are renamed, never deleted.
TEST_F(DiskSync, ConflictedCopiesAreMergedIntoTheirListsAndSetAside) {
  const std::string copyOfA = "A (other's conflicted copy).lst";
  const std::string copyOfB = "b.sync-conflict-20261209.lst";  // the list is B
  const std::string copyOfNone = "C (conflicted copy).lst";
  Write(InListFolder(copyOfA), "0,2026,12,1,a1\r\n1,2026,12,2,a2\r\n0,2026,12,5,there\r\n");
  Write(InListFolder(copyOfB), "0,2026,12,1,b1\r\n0,2026,12,7,b there\r\n");
  Write(InListFolder(copyOfNone), "0,2026,12,1,c\r\n");
  dialog.OnFolderChanged({copyOfA, copyOfB, copyOfNone});
  Fire();
  // What the copy adds goes after the record before it there.
  const std::string merged =
      "0,2026,12,1,a1\r\n1,2026,12,2,a2\r\n0,2026,12,5,there\r\n0,2026,12,2,a2\r\n"
      "0,2026,12,3,a3\r\n";
  EXPECT_EQ(ItemTexts(), "a1;a2;there;a2;a3;");
  EXPECT_EQ(Read(ListFile("A")), merged);
  EXPECT_EQ(Read(ListFile("B")), "0,2026,12,1,b1\r\n0,2026,12,7,b there\r\n");
  EXPECT_EQ(ListFolderState(),
            "A (other's conflicted copy).lst.merged=0,2026,12,1,a1\r\n1,2026,12,2,a2\r\n"
            "0,2026,12,5,there\r\n|A.lst=" +
                Read(ListFile("A")) + "|B.lst=" + Read(ListFile("B")) +
                "|C (conflicted copy).lst=0,2026,12,1,c\r\n|ListInfo.dat=A\r\nB\r\n|"
                "b.sync-conflict-20261209.lst.merged=0,2026,12,1,b1\r\n0,2026,12,7,b there\r\n|");
  // Set aside, a copy is not merged again; the merge is one step of the history.
  dialog.OnFolderChanged();
  Fire();
  EXPECT_EQ(Read(ListFile("A")), merged);
  dialog.OnUndo();
  EXPECT_EQ(ItemTexts(), "a1;a2;a3;");
}

TEST_F(DiskSync, ListsAddedAndRemovedOutsideShow) {
  Write(ListFile("C"), "");
  WriteOutside(OrderFile(), "A\r\nC\r\nB\r\n");
  Fire();
  EXPECT_EQ(ListNames(), "A;C;B;");
  EXPECT_EQ(names()->GetCurSel(), 0);
  // B removed outside with its file goes; a name removed whose file stays, stays.
  ASSERT_TRUE(m_files->Delete(ListFile("B")));
  WriteOutside(OrderFile(), "A\r\n");
  Fire();
  EXPECT_EQ(ListNames(), "A;C;");
  EXPECT_EQ(Read(OrderFile()), "A\r\nC\r\n");
  // The shown list removed outside: none is shown.
  ASSERT_TRUE(m_files->Delete(ListFile("A")));
  WriteOutside(OrderFile(), "C\r\n");
  for (int run = 0; run < 10 && signals.Fire(dialog);) ++run;
  EXPECT_EQ(ListNames(), "C;");
  EXPECT_EQ(names()->GetCurSel(), -1);
  EXPECT_EQ(items()->GetCount(), 0);
}

// Two windows on one folder, as two hosts or two machines sharing it: each adds an item to A
// and a list of its own, in any order of their saves, and both close.
TEST_F(DiskSync, TwoWindowsOnOneFolderLoseNothingOfEachOther) {
  for (int order = 0; order < 4; ++order) {
    SCOPED_TRACE(order);
    ASSERT_TRUE(storage::SaveFileAtomically(*m_files, OrderFile(), "A\r\nB\r\n"));
    ASSERT_TRUE(storage::SaveFileAtomically(*m_files, ListFile("A"), "0,2026,12,1,a1\r\n"));
    for (const char* list : {"first", "second"}) m_files->Delete(ListFile(list));
    struct Window {
      explicit Window(FolderHost& host, storage::Files& files) : dialog(ops, &host, files, busy) {
        AttachHeadlessBoxes(dialog);
        dialog.SetSyncSignals(&signals);
        dialog.LoadListNames();
        quarn::HeadlessFrontOf(dialog.ListNameBox())->Click(0);
      }
      void Add(bool list, const std::string& text) {
        ops.CheckMode(list);
        ops.text = text;
        dialog.OnAdd();
      }
      std::atomic<int> busy{0};
      HeadlessWindowOps ops{&busy};
      FakeSignals signals;
      todo::ToDoDialog dialog;
    };
    auto one = std::make_unique<Window>(host, *m_files);
    auto two = std::make_unique<Window>(host, *m_files);
    one->Add(false, "from one");
    two->Add(false, "from two");
    if (order & 1) one->signals.Fire(one->dialog);
    two->signals.Fire(two->dialog);
    one->Add(true, "first");
    two->Add(true, "second");
    if (order & 2) two->signals.Fire(two->dialog);
    one->signals.Fire(one->dialog);
    two->signals.Fire(two->dialog);
    for (Window* closing : {one.get(), two.get()}) {
      closing->dialog.SaveBeforeClose();
      closing->dialog.SaveOnClose(true);
    }
    const std::string a = Read(ListFile("A"));
    EXPECT_NE(a.find("from one"), std::string::npos) << a;
    EXPECT_NE(a.find("from two"), std::string::npos) << a;
    EXPECT_NE(a.find("a1"), std::string::npos) << a;
    const std::string names = Read(OrderFile());
    for (const char* name : {"A\r\n", "B\r\n", "first\r\n", "second\r\n"}) {
      EXPECT_NE(names.find(name), std::string::npos) << names;
    }
    EXPECT_TRUE(one->ops.messages.empty());
    EXPECT_TRUE(two->ops.messages.empty());
  }
}

}  // namespace
}  // namespace todo_test
