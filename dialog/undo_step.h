#pragma once
// One step of the undo history: a change the user made in the window (or a reload or merge of
// the shown list), of one kind, holding what it needs to be taken back and done again. Steps
// act on the window through UndoContext, which the dialog gives them. Portable; on the tool
// thread.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialog/item_side.h"
#include "dialog/list_name_side.h"

namespace todo {

// A list taken out of the list-name box, with what its file held.
struct RemovedList {
  int row = 0;
  std::string name;
  // Whether its file was deleted with it (a name that names no file, a missing file or one
  // that could not be deleted leaves nothing to write back), and then the bytes it held.
  bool fileDeleted = false;
  std::string bytes;
};

// What steps act on: the two sides, and the moves between lists and their files that the
// commands share.
class UndoContext {
 public:
  virtual ~UndoContext() = default;
  virtual ListNameSide& Names() = 0;
  virtual ItemSide& Items() = 0;
  // Today's UTC date, packed as the item box packs dates.
  virtual DWORD Today() = 0;
  // Selects the list named `name` (empty: none) as the user would: the list left is saved
  // first, the one arrived at is loaded. False, with nothing changed, when the list left could
  // not be saved or no list has that name.
  virtual bool SwitchToList(const std::string& name) = 0;
  // Takes the list at `row` out of the box and deletes its file, keeping what the file held
  // (for the selected list, what a save would write now); a selected list leaves no list
  // selected and the item box empty.
  virtual RemovedList TakeList(int row) = 0;
  // Puts `lists` back at their rows, each file with the bytes it held. False, with nothing
  // changed, when a file of one of their names exists or one cannot be written.
  virtual bool PutBackLists(const std::vector<RemovedList>& lists) = 0;
  // Gives the file of the list named `from` the name of `to`, as a rename in place does.
  // False, with nothing changed, when that would move over another file or the move fails.
  virtual bool MoveListFile(const std::string& from, const std::string& to) = 0;
};

class UndoStep {
 public:
  virtual ~UndoStep() = default;
  // Takes the step back / does it again. Each first checks that the boxes are as the step
  // left them (or found them), so that a step never changes the wrong list or item; false
  // when it could not be done, and then nothing changed. A step may learn on the way what it
  // needs next time (the bytes of a list file it took away).
  virtual bool TakeBack(UndoContext& context) = 0;
  virtual bool DoAgain(UndoContext& context) = 0;
  // About how many bytes the step holds.
  virtual std::size_t Bytes() const = 0;
};

// The steps, one kind each, each made in one call. `list` names the list whose items changed,
// as it was named then; selections are rows, -1 for none.
//
// A list was added (and selected): `selectedBefore` and the item selected then come back when
// it is taken back.
std::unique_ptr<UndoStep> ListAdded(RemovedList added, std::string selectedBefore,
                                    int itemSelectedBefore, int itemSelectedAfter);
// Lists were deleted or cleared, in ascending rows; none is selected afterwards.
std::unique_ptr<UndoStep> ListsRemoved(std::vector<RemovedList> lists, std::string selectedBefore,
                                       int itemSelectedBefore);
// The selected list at `row` was renamed in place.
std::unique_ptr<UndoStep> ListRenamed(int row, std::string oldName, std::string newName,
                                      int itemSelected);
// The selected list moved from row `from` to row `to`.
std::unique_ptr<UndoStep> ListMoved(int from, int to, int itemSelected);
// An item was added at `row`.
std::unique_ptr<UndoStep> ItemAdded(std::string list, int row, ItemRow item, int itemSelectedBefore,
                                    int itemSelectedAfter);
// Items were deleted or cleared, each with its row, in ascending rows.
std::unique_ptr<UndoStep> ItemsRemoved(std::string list, std::vector<std::pair<int, ItemRow>> items,
                                       int itemSelectedBefore, int itemSelectedAfter);
// The item at `row` was edited in place (its text, check or date).
std::unique_ptr<UndoStep> ItemEdited(std::string list, int row, ItemRow before, ItemRow after);
// The selected item moved from row `from` to row `to`.
std::unique_ptr<UndoStep> ItemMoved(std::string list, int from, int to);
// All the items were replaced, by a reload or a merge of the list's file.
std::unique_ptr<UndoStep> ItemsReplaced(std::string list, std::vector<ItemRow> before,
                                        std::vector<ItemRow> after, int itemSelectedBefore,
                                        int itemSelectedAfter);

}  // namespace todo
