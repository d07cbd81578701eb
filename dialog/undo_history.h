#pragma once
// The steps the user took in the window, kept so that each can be undone and done again, in the
// order they were taken. A step is plain data: what it changed, enough to put it back and to
// do it again. The history is bounded: beyond a number of steps or of bytes held, the oldest
// steps are dropped. Portable; one per dialog, on the tool thread.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "framework/fw_win_types.h"

namespace todo {

// One item as its row holds it.
struct ItemRow {
  std::string text;
  int check = 0;
  DWORD date = 0;
};
bool operator==(const ItemRow& a, const ItemRow& b);
inline bool operator!=(const ItemRow& a, const ItemRow& b) {
  return !(a == b);
}

// A list taken out of the list-name box, with what its file held.
struct RemovedList {
  int row = 0;
  std::string name;
  // Whether its file was deleted with it (a name that names no file, a missing file or one
  // that could not be deleted leaves nothing to write back), and then the bytes it held.
  bool fileDeleted = false;
  std::string bytes;
};

struct UndoStep {
  enum class Kind {
    kAddList,       // lists[0] was added (bytes: what its file held when it was taken back)
    kRemoveLists,   // lists were deleted or cleared, in ascending rows
    kRenameList,    // row's name went from oldName to newName
    kMoveList,      // the list at `from` went to `to`
    kAddItem,       // items[0] was added at its row of `list`
    kRemoveItems,   // items of `list` were deleted or cleared, in ascending rows
    kEditItem,      // the item at `row` of `list` went from `before` to `after`
    kMoveItem,      // the item of `list` at `from` went to `to`
    kReplaceItems,  // the items of `list` went from rowsBefore to rowsAfter (a reload, a merge)
  };
  Kind kind = Kind::kAddList;
  std::vector<RemovedList> lists;
  std::string oldName;
  std::string newName;
  int row = 0;
  int from = 0;
  int to = 0;
  // Item steps: the list whose items changed, by its name at the time.
  std::string list;
  std::vector<std::pair<int, ItemRow>> items;
  ItemRow before;
  ItemRow after;
  std::vector<ItemRow> rowsBefore;
  std::vector<ItemRow> rowsAfter;
  // The list selected before and after the step (empty: none) and the item selected then.
  std::string selectedBefore;
  std::string selectedAfter;
  int itemSelectedBefore = -1;
  int itemSelectedAfter = -1;

  // About how many bytes the step holds.
  std::size_t Bytes() const;
};

class UndoHistory {
 public:
  static constexpr std::size_t kMostSteps = 1000;
  static constexpr std::size_t kMostBytes = 64u << 20;

  // Adds `step` as the latest; the steps undone before it can no longer be done again. The
  // oldest steps are dropped while there are too many or they hold too much.
  void Record(UndoStep step);
  // The step an undo takes back, or null. Undone() moves past it once it was taken back.
  const UndoStep* NextUndo() const;
  void Undone();
  // The step a redo does again, or null. Redone() moves past it once it was done.
  const UndoStep* NextRedo() const;
  void Redone();
  // Replace the next step to undo / to redo with what taking it back or doing it again
  // learned (the bytes a list's file held when it was taken away).
  void ReplaceNextUndo(UndoStep step);
  void ReplaceNextRedo(UndoStep step);

  std::size_t StepCount() const { return m_steps.size(); }

 private:
  std::deque<UndoStep> m_steps;
  // Steps before this index are done; from it on they were undone.
  std::size_t m_done = 0;
  std::size_t m_bytes = 0;
};

}  // namespace todo
