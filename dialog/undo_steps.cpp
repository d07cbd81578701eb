// Each kind of step of the history, taken back and done again. Each checks first that the
// boxes are as the step left them, so that a step never changes the wrong list or item.

#include <utility>

#include "dialog/todo_dialog.h"

namespace todo {

namespace {

bool HoldsItems(const ItemSide& items, const std::vector<std::pair<int, ItemRow>>& rows) {
  for (const auto& row : rows) {
    if (row.first >= items.Count() || !(items.RowAt(row.first) == row.second)) return false;
  }
  return true;
}

}  // namespace

bool ToDoDialog::TakeBack(const UndoStep& step) {
  using Kind = UndoStep::Kind;
  switch (step.kind) {
    case Kind::kAddList: {
      const RemovedList& added = step.lists.front();
      if (added.row >= m_names.Count() || step.selectedAfter != m_names.NameOf(added.row)) {
        return false;
      }
      UndoStep learned = step;
      learned.lists.front() = TakeList(added.row);
      const std::string selectedBefore = learned.selectedBefore;
      const int itemSelectedBefore = learned.itemSelectedBefore;
      m_history.ReplaceNextUndo(std::move(learned));
      SwitchToList(selectedBefore);  // nothing is selected: nothing to save
      m_items.Select(itemSelectedBefore);
      return true;
    }
    case Kind::kRemoveLists:
      if (!SwitchToList(std::string()) || !PutBackLists(step.lists)) return false;
      SwitchToList(step.selectedBefore);
      m_items.Select(step.itemSelectedBefore);
      return true;
    case Kind::kRenameList:
      // A rename is of the selected list: it is selected again first.
      if (step.row >= m_names.Count() || step.newName != m_names.NameOf(step.row) ||
          !SwitchToList(step.newName) || !MoveListFile(step.newName, step.oldName)) {
        return false;
      }
      m_names.SetName(step.row, step.oldName);
      m_items.Select(step.itemSelectedBefore);
      return true;
    case Kind::kMoveList:
      if (step.to >= m_names.Count() || !SwitchToList(m_names.NameOf(step.to))) return false;
      m_names.MoveSelected(step.from - step.to);
      m_items.Select(step.itemSelectedBefore);
      return true;
    case Kind::kAddItem:
      if (!SwitchToList(step.list) || !HoldsItems(m_items, step.items)) return false;
      m_items.Remove(step.items.front().first);
      m_items.Select(step.itemSelectedBefore);
      return true;
    case Kind::kRemoveItems:
      if (!SwitchToList(step.list)) return false;
      for (const auto& row : step.items) m_items.Insert(row.first, row.second, Today());
      m_items.Select(step.itemSelectedBefore);
      return true;
    case Kind::kEditItem:
      if (!SwitchToList(step.list) || !HoldsItems(m_items, {{step.row, step.after}})) return false;
      m_items.SetRow(step.row, step.before, Today());
      m_items.Select(step.row);
      return true;
    case Kind::kMoveItem:
      if (!SwitchToList(step.list) || step.to >= m_items.Count()) return false;
      m_items.Select(step.to);
      m_items.MoveSelected(step.from - step.to, Today());
      return true;
    case Kind::kReplaceItems:
      if (!SwitchToList(step.list) || m_items.Rows() != step.rowsAfter) return false;
      m_items.SetRows(step.rowsBefore, Today());
      m_items.Select(step.itemSelectedBefore);
      return true;
  }
  return false;
}

bool ToDoDialog::DoAgain(const UndoStep& step) {
  using Kind = UndoStep::Kind;
  switch (step.kind) {
    case Kind::kAddList:
      if (!SwitchToList(std::string()) || !PutBackLists(step.lists)) return false;
      SwitchToList(step.selectedAfter);
      m_items.Select(step.itemSelectedAfter);
      return true;
    case Kind::kRemoveLists: {
      for (const RemovedList& list : step.lists) {
        if (list.row >= m_names.Count() || list.name != m_names.NameOf(list.row)) return false;
      }
      UndoStep learned = step;
      for (std::size_t index = step.lists.size(); index-- > 0;) {
        learned.lists[index] = TakeList(step.lists[index].row);
      }
      m_history.ReplaceNextRedo(std::move(learned));
      SwitchToList(std::string());  // as the delete leaves it: no list selected
      m_items.Select(-1);
      return true;
    }
    case Kind::kRenameList:
      if (step.row >= m_names.Count() || step.oldName != m_names.NameOf(step.row) ||
          !SwitchToList(step.oldName) || !MoveListFile(step.oldName, step.newName)) {
        return false;
      }
      m_names.SetName(step.row, step.newName);
      m_items.Select(step.itemSelectedAfter);
      return true;
    case Kind::kMoveList:
      if (step.from >= m_names.Count() || !SwitchToList(m_names.NameOf(step.from))) return false;
      m_names.MoveSelected(step.to - step.from);
      m_items.Select(step.itemSelectedAfter);
      return true;
    case Kind::kAddItem:
      if (!SwitchToList(step.list)) return false;
      m_items.Insert(step.items.front().first, step.items.front().second, Today());
      m_items.Select(step.itemSelectedAfter);
      return true;
    case Kind::kRemoveItems:
      if (!SwitchToList(step.list) || !HoldsItems(m_items, step.items)) return false;
      for (std::size_t index = step.items.size(); index-- > 0;) {
        m_items.Remove(step.items[index].first);
      }
      m_items.Select(step.itemSelectedAfter);
      return true;
    case Kind::kEditItem:
      if (!SwitchToList(step.list) || !HoldsItems(m_items, {{step.row, step.before}})) {
        return false;
      }
      m_items.SetRow(step.row, step.after, Today());
      m_items.Select(step.row);
      return true;
    case Kind::kMoveItem:
      if (!SwitchToList(step.list) || step.from >= m_items.Count()) return false;
      m_items.Select(step.from);
      m_items.MoveSelected(step.to - step.from, Today());
      return true;
    case Kind::kReplaceItems:
      if (!SwitchToList(step.list) || m_items.Rows() != step.rowsBefore) return false;
      m_items.SetRows(step.rowsAfter, Today());
      m_items.Select(step.itemSelectedAfter);
      return true;
  }
  return false;
}

}  // namespace todo
