// Undo and Redo over the dialog: every step taken back and done again, with the boxes, the
// selection and the files as they were.

#include <cstdio>

#include "dialog/undo_history.h"
#include "dialog_fixture.h"

namespace todo_test {
namespace {

class Undo : public DialogTest {
 protected:
  // Everything a step may change: the boxes, their selections and which files the list folder
  // holds. (What an item file holds depends on the saves in between, which no step undoes.)
  std::string State() {
    std::string files;
    for (const std::string& name : ListFolderFiles()) files += name + " ";
    return BoxState() + " | " + files;
  }
};

// Each step back must give exactly the state before it, and each step again the state after
// it. A selection by the user is no step: it is kept in the state before the next step.
TEST_F(Undo, EveryListStepGoesBackAndComesAgainWithTheFiles) {
  std::vector<std::string> before;
  std::vector<std::string> after;
  auto step = [&](auto&& act) {
    before.push_back(State());
    act();
    after.push_back(State());
  };
  step([&] { NewList("a"); });
  step([&] { NewList("b", true); });
  step([&] { NewItem("b1"); });
  step([&] {
    window.CheckMode(true);
    dialog.OnMoveUp();  // b above a
  });
  nameFront()->Click(1);  // a selected, b written
  step([&] {
    window.CheckMode(true);
    Delete();  // a
  });
  step([&] { Clear(); });
  ASSERT_EQ(ListNames(), "");
  ASSERT_EQ(ListFolderState(), "");

  for (std::size_t index = before.size(); index-- > 0;) {
    dialog.OnUndo();
    EXPECT_EQ(State(), before[index]) << "undo of step " << index;
    if (index == 5) {
      EXPECT_EQ(Read(ListFile("b")), "0,2026,12,8,b1\r\n") << "b's bytes back";
    }
  }
  dialog.OnUndo();  // nothing left to take back
  EXPECT_EQ(State(), before[0]);
  for (std::size_t index = 0; index < after.size(); ++index) {
    dialog.OnRedo();
    EXPECT_EQ(State(), after[index]) << "redo of step " << index;
  }
  EXPECT_EQ(window.messages.size(), 2u) << "only the two questions";
}

TEST_F(Undo, ItemStepsGoBackInTheirOwnListAfterAnotherIsSelected) {
  NewList("b");
  NewList("a");
  NewItem("a1");
  NewItem("a2");
  Tick(1);  // a1 ticked in place
  window.CheckMode(false);
  Delete();               // a1
  nameFront()->Click(1);  // to b: a written
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a2\r\n");
  dialog.OnUndo();  // a1 comes back, in a, which is selected again
  EXPECT_EQ(ListNames() + " sel " + std::to_string(names()->GetCurSel()), "a;b; sel 0");
  EXPECT_EQ(ItemTexts(), "a2;a1;");
  EXPECT_EQ(items()->GetItemCheck(1), 1);
  EXPECT_EQ(items()->GetCurSel(), 1);
  dialog.OnUndo();  // the tick
  EXPECT_EQ(items()->GetItemCheck(1), 0);
  nameFront()->Click(1);
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,a2\r\n0,2026,12,8,a1\r\n");
  dialog.OnRedo();
  EXPECT_EQ(names()->GetCurSel(), 0);
  EXPECT_EQ(items()->GetItemCheck(1), 1);
}

// A deleted list comes back with the items it showed, saved or not: the item steps before the
// delete find their items where they left them.
TEST_F(Undo, ADeletedListComesBackWithItsUnsavedItems) {
  NewList("a");
  NewItem("unsaved");
  window.CheckMode(true);
  Delete();
  ASSERT_FALSE(Exists(ListFile("a")));
  dialog.OnUndo();
  EXPECT_EQ(Read(ListFile("a")), "0,2026,12,8,unsaved\r\n");
  EXPECT_EQ(ItemTexts(), "unsaved;");
  dialog.OnUndo();
  EXPECT_EQ(ItemTexts(), "");
  dialog.OnUndo();
  EXPECT_EQ(ListNames(), "");
  EXPECT_FALSE(Exists(ListFile("a")));
}

// A rename taken back gives the file its old name again, through the same checks as a rename.
TEST_F(Undo, ARenameGoesBackWithItsFileUnlessItsOldNameIsTakenMeanwhile) {
  NewList("old");
  NewItem("x");
  nameFront()->Click(0);  // the focus
  Rename(0, "new");
  ASSERT_EQ(ListNames(), "new;");
  ASSERT_TRUE(Exists(ListFile("new")));
  Write(ListFile("old"), "0,2026,1,1,someone else's\r\n");
  TakeMessages();
  dialog.OnUndo();
  EXPECT_EQ(TakeTexts(), Texts{kCannotUndo});
  EXPECT_EQ(ListNames(), "new;") << "nothing changed";
  EXPECT_EQ(Read(ListFile("old")), "0,2026,1,1,someone else's\r\n");
  std::remove(ListFile("old").c_str());
  dialog.OnUndo();  // the step was kept
  EXPECT_EQ(ListNames(), "old;");
  EXPECT_TRUE(Exists(ListFile("old")));
  EXPECT_FALSE(Exists(ListFile("new")));
  EXPECT_EQ(ItemTexts(), "x;");
}

TEST_F(Undo, AListThatCannotBeWrittenBackChangesNothingAndStaysInTheHistory) {
  NewList("a");
  Delete();
  const std::string before = State();
  faults.FailAt(1, Mode::kOnce);  // the new file's open
  TakeMessages();
  dialog.OnUndo();
  EXPECT_EQ(TakeTexts(), Texts{kCannotUndo});
  EXPECT_EQ(State(), before);
  dialog.OnUndo();
  EXPECT_EQ(ListNames(), "a;");
  EXPECT_TRUE(Exists(ListFile("a")));
}

// A new step after an undo ends what could be done again.
TEST_F(Undo, ANewStepDropsTheStepsTakenBack) {
  NewList("a");
  NewList("b");
  dialog.OnUndo();
  NewList("c");
  dialog.OnRedo();
  EXPECT_EQ(ListNames(), "c;a;");
}

// A step that only tells which it is and how much it holds.
class MarkedStep : public todo::UndoStep {
 public:
  MarkedStep(int which, std::size_t bytes) : mark(which), m_bytes(bytes) {}
  bool TakeBack(todo::UndoContext&) override { return true; }
  bool DoAgain(todo::UndoContext&) override { return true; }
  std::size_t Bytes() const override { return m_bytes; }
  const int mark;

 private:
  std::size_t m_bytes;
};

TEST(UndoHistory, KeepsAtMostItsStepsAndItsBytesDroppingTheOldest) {
  todo::UndoHistory history;
  for (int i = 0; i < 1005; ++i) history.Record(std::make_unique<MarkedStep>(i, 100));
  EXPECT_EQ(history.StepCount(), todo::UndoHistory::kMostSteps);
  int undone = 0;
  while (history.NextUndo() != nullptr) {
    EXPECT_EQ(static_cast<MarkedStep*>(history.NextUndo())->mark, 1004 - undone);
    history.Undone();
    ++undone;
  }
  EXPECT_EQ(undone, 1000);

  todo::UndoHistory big;
  for (int i = 0; i < 20; ++i) big.Record(std::make_unique<MarkedStep>(i, 8u << 20));
  EXPECT_LE(big.StepCount() * (8u << 20), todo::UndoHistory::kMostBytes);
  EXPECT_GE(big.StepCount(), 7u);
}

}  // namespace
}  // namespace todo_test
